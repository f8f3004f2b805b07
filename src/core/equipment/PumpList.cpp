#include "core/equipment/PumpList.h"

#include "core/equipment/PumpFile.h"
#include "core/file/Cp1251.h"
#include "core/file/FileError.h"
#include "core/model/Errors.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

TPumpStore& TPumpList::At(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(index);
    return *stores_[static_cast<size_t>(index)];
}

int TPumpList::Find(const QString& name) const
{
    for (int i = 0; i < Count(); ++i)
        if (stores_[static_cast<size_t>(i)]->Name == name)
            return i;
    return -1;
}

QStringList TPumpList::Names() const
{
    QStringList names;
    for (const auto& s : stores_)
        names << s->Name;
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(names.begin(), names.end(),
                     [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
    return names;
}

QString PumpNameFromFile(const QString& nameInFile, const QString& path,
                         const std::function<bool(const QString&)>& taken)
{
    const QFileInfo file(path);
    const QString own = file.completeBaseName();
    const QString name = nameInFile.trimmed();
    if (name.isEmpty() || name == own)
        return own;
    // The file's contents never choose where the program writes: a name that cannot be a file
    // name, or whose file would be another one, gives way to the file's own name.
    if (PumpNameHasForbiddenCharacters(name) || name.startsWith(u'.') || taken(name)
        || QFileInfo::exists(PumpFilePath(file.path(), name)))
        return own;
    return name;
}

TPumpStore& TPumpList::LoadFile(const QString& path)
{
    std::unique_ptr<TPumpStore> store = PumpFile::Read(path);
    store->Name = PumpNameFromFile(store->Name, path, [this](const QString& n) { return Find(n) >= 0; });
    if (Find(store->Name) >= 0)  // two files whose names differ only where the rule cuts
        throw EFileError(fekMalformed, PumpTexts::kNameExists);
    stores_.push_back(std::move(store));
    return *stores_.back();
}

TPumpList::TLoadReport TPumpList::LoadFolder(const QString& folder)
{
    Clear();
    TLoadReport report;
    const QDir dir(folder);
    const QStringList files = dir.entryList({QStringLiteral("*") + PumpTexts::kFileExtension}, QDir::Files, QDir::Name);
    for (const QString& f : files) {
        const QString path = dir.filePath(f);
        try {
            LoadFile(path);
        } catch (const Exception& e) {
            report.Errors << e.Message();
            report.Skipped << f;
        }
    }
    changed_ = false;
    return report;
}

QString TPumpList::FileOf(const TPumpStore& store, const QString& folder) const
{
    if (!store.SourceFile.isEmpty())
        return store.SourceFile;
    return PumpFilePath(folder, store.Name);
}

void TPumpList::SaveFolder(const QString& folder)
{
    if (!QDir().mkpath(folder))
        throw EFileError(fekIo, QStringLiteral("Ошибка при записи файла") + PumpFilePath(folder, QString()));
    for (const auto& store : stores_) {
        const QString path = PumpFilePath(folder, store->Name);
        PumpFile::Write(*store, path);
        const QString old = store->SourceFile;
        if (!old.isEmpty() && QFileInfo(old).absoluteFilePath() != QFileInfo(path).absoluteFilePath()
            && QFileInfo(old).absoluteDir() == QFileInfo(path).absoluteDir())
            QFile::remove(old);
        store->SourceFile = path;
        store->SetModified(false);
    }
    changed_ = false;
}

QString TPumpList::CheckName(const QString& name, int except) const
{
    if (PumpNameHasForbiddenCharacters(name))
        return PumpTexts::kBadCharacters;
    if (QString refusal = Cp1251Refusal(name); !refusal.isEmpty())
        return refusal;
    const int found = Find(name);
    if (found >= 0 && found != except)
        return PumpTexts::kNameExists;
    return {};
}

TPumpList::TOutcome TPumpList::AddModel(const QString& text)
{
    const QString name = text.trimmed();
    if (name.isEmpty())
        return {};
    if (QString refusal = CheckName(name, -1); !refusal.isEmpty())
        return {false, refusal};
    stores_.push_back(std::make_unique<TPumpStore>(name));
    changed_ = true;
    return {true, {}};
}

TPumpList::TOutcome TPumpList::RenameModel(int index, const QString& text, const QString& folder)
{
    TPumpStore& store = At(index);
    const QString name = text.trimmed();
    if (name.isEmpty() || name == store.Name)
        return {};
    if (QString refusal = CheckName(name, index); !refusal.isEmpty())
        return {false, refusal};
    const QString from = FileOf(store, folder);
    if (QFileInfo::exists(from)) {
        const QString to = PumpFilePath(QFileInfo(from).path(), name);
        if (!QFile::rename(from, to))
            return {false, PumpTexts::kRenameFailed};
        store.SourceFile = to;
    }
    store.Name = name;
    changed_ = true;
    return {true, {}};
}

TPumpList::TOutcome TPumpList::CopyModel(int index, const QString& text)
{
    const TPumpStore& source = At(index);
    const QString name = text.trimmed();
    if (name.isEmpty())
        return {false, PumpTexts::kEmptyCopyName};
    if (QString refusal = CheckName(name, -1); !refusal.isEmpty())
        return {false, refusal};
    auto copy = std::make_unique<TPumpStore>(name);
    copy->CopyFrom(source);
    stores_.push_back(std::move(copy));
    changed_ = true;
    return {true, {}};
}

void TPumpList::DeleteModel(int index, const QString& folder)
{
    const TPumpStore& store = At(index);
    QFile::remove(FileOf(store, folder));
    stores_.erase(stores_.begin() + index);
    changed_ = true;
}

bool TPumpList::Changed() const
{
    return changed_ || std::any_of(stores_.begin(), stores_.end(), [](const auto& s) { return s->Modified(); });
}

void TPumpList::Clear()
{
    stores_.clear();
    changed_ = false;
}
