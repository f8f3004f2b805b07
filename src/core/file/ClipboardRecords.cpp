#include "core/file/ClipboardRecords.h"

#include "core/file/BranchRecord.h"
#include "core/file/ByteReader.h"
#include "core/file/ByteWriter.h"
#include "core/file/FileError.h"
#include "core/file/UzelRecord.h"
#include "core/file/VersionTable.h"
#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"

#include <QStringList>

namespace {

constexpr int kVersion = kCurrentFileVersion;

QString ReadErrorText() { return QStringLiteral("Ошибка при чтении данных из буфера обмена"); }

// Reads every record of the block into the mine.
template <class T, class ReadOne>
std::vector<T*> ReadBlock(TMine& mine, const QByteArray& block, int minRecordSize, ReadOne readOne)
{
    ByteReader r(block);
    const int32_t count = r.count(minRecordSize);
    std::vector<T*> created;
    created.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        created.push_back(readOne(r, mine));
    return created;
}

// A damaged block must not leave half of itself in the document: it is read into a scratch
// mine first, and into the document only when all of it was read.
template <class T, class ReadOne>
std::vector<T*> Decode(TMine& mine, const QByteArray& block, int minRecordSize, ReadOne readOne)
{
    try {
        TMine scratch;
        ReadBlock<T>(scratch, block, minRecordSize, readOne);
    } catch (const EFileError& e) {
        throw EFileError(e.Kind(), ReadErrorText());
    } catch (const EMineError&) {
        throw EFileError(fekMalformed, ReadErrorText());
    }
    return ReadBlock<T>(mine, block, minRecordSize, readOne);
}

template <class T>
QString JoinInfoTexts(const std::vector<T*>& objects)
{
    QStringList texts;
    for (const T* o : objects)
        if (o)
            texts << o->GetInfoText(true);
    return texts.join(QStringLiteral("\r\n\r\n"));
}

}  // namespace

QByteArray EncodeUzels(const std::vector<TUzel*>& uzels)
{
    ByteWriter w;
    w.i32(static_cast<int32_t>(uzels.size()));
    for (const TUzel* u : uzels)
        UzelRecord::Write(w, *u, kVersion);
    return w.data();
}

QByteArray EncodeBranches(const std::vector<TBranch*>& branches)
{
    ByteWriter w;
    w.i32(static_cast<int32_t>(branches.size()));
    for (const TBranch* b : branches)
        BranchRecord::Write(w, *b, kVersion);
    return w.data();
}

QString ClipboardText(const std::vector<TMineObject*>& objects) { return JoinInfoTexts(objects); }
QString ClipboardText(const std::vector<TUzel*>& uzels) { return JoinInfoTexts(uzels); }
QString ClipboardText(const std::vector<TBranch*>& branches) { return JoinInfoTexts(branches); }

std::vector<TUzel*> DecodeUzels(TMine& mine, const QByteArray& block)
{
    return Decode<TUzel>(mine, block, UzelRecord::Size(kVersion), [](ByteReader& r, TMine& m) {
        return UzelRecord::Read(r, m, kVersion, true);
    });
}

std::vector<TBranch*> DecodeBranches(TMine& mine, const QByteArray& block)
{
    return Decode<TBranch>(mine, block, BranchRecord::MinSize(kVersion), [](ByteReader& r, TMine& m) {
        return BranchRecord::Read(r, m, kVersion, true);
    });
}
