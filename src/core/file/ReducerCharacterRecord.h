#pragma once

class ByteReader;
class ByteWriter;
class TReducerCharacter;

// The record of a reducer characteristic: name, nP, nQ, nP inlet pressures, nP locking
// pressures, nQ flows, nP rows of nQ outlet pressures. It lives inside every reducer of a
// network file and after the mark of a *.rdc file.
namespace ReducerCharacterRecord {

// Throws EFileError when the data runs short or the sizes are negative; the characteristic
// is changed only when the whole record was read.
void Read(ByteReader& reader, TReducerCharacter& character);
void Write(ByteWriter& writer, const TReducerCharacter& character);

}  // namespace ReducerCharacterRecord
