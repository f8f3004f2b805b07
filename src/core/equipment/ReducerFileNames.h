#pragma once

#include <QString>

// Where a reducer model without a file of its own is written.
namespace ReducerFileNames {

// The model name without the characters a file name cannot safely hold: , . / : ; < > \ |
// and control characters.
QString Clean(const QString& modelName);

// folder + cleaned name + ".rdc"; when that file exists, "name[0].rdc", "name[1].rdc", ... up
// to the first that does not. A name that cleans to nothing gets "rdc" and a hexadecimal number,
// also ending in ".rdc", so the folder scan finds the model again.
QString NewFile(const QString& folder, const QString& modelName);

}  // namespace ReducerFileNames
