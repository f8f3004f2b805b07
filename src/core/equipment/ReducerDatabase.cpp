#include "core/equipment/ReducerDatabase.h"

#include "core/equipment/ReducerFile.h"
#include "core/equipment/ReducerFileNames.h"
#include "core/file/Cp1251.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

TReducerDatabase::TReducerDatabase(QString folder) : folder_(std::move(folder)) {}

TReducerDatabase::LoadReport TReducerDatabase::Load()
{
    models_.clear();
    toDelete_.clear();
    changed_ = false;
    LoadReport report;
    const QDir dir(folder_);
    const QFileInfoList files =
        dir.entryInfoList({QStringLiteral("*") + ReducerFile::kExtension}, QDir::Files, QDir::Name);
    for (const QFileInfo& info : files) {
        const QString path = info.absoluteFilePath();
        try {
            AddLoaded(ReducerFile::Read(path), path, info.completeBaseName());
        } catch (const ENotReducerFile&) {
            report.Foreign << path;
        } catch (const Exception& e) {
            report.Failed.push_back({path, e.Message()});
        }
    }
    return report;
}

int TReducerDatabase::AddLoaded(TReducerCharacter character, const QString& file, const QString& fallbackName)
{
    character.Name = UniqueLoadedName(character.Name, fallbackName);
    models_.push_back({std::move(character), file});
    return Count() - 1;
}

QString TReducerDatabase::UniqueLoadedName(const QString& inner, const QString& fallback) const
{
    // The bytes of a file never choose where the program writes: a name that could not serve
    // as a file name, or that would make two models indistinguishable, is replaced.
    const bool control = std::any_of(inner.begin(), inner.end(), [](QChar ch) { return ch.unicode() < 0x20 || ch.unicode() == 0x7F; });
    const bool unusable = ReducerFileNames::Clean(inner).trimmed().isEmpty() || inner.contains(u'/') ||
                          inner.contains(u'\\') || control;
    if ((!unusable && IndexOf(inner) < 0) || fallback.isEmpty())
        return inner;
    if (IndexOf(fallback) < 0)
        return fallback;
    for (int n = 0;; ++n) {
        const QString candidate = QStringLiteral("%1[%2]").arg(fallback).arg(n);
        if (IndexOf(candidate) < 0)
            return candidate;
    }
}

int TReducerDatabase::IndexOf(const QString& name, int except) const
{
    for (int i = 0; i < Count(); ++i)
        if (i != except && Model(i).Character.Name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void TReducerDatabase::RequireFree(const QString& name, int except) const
{
    // The name goes into the model's file in Windows-1251.
    if (const QString refusal = Cp1251Refusal(name); !refusal.isEmpty())
        throw EReducerDatabaseError(refusal);
    if (IndexOf(name, except) >= 0)
        throw EReducerDatabaseError(QStringLiteral("Гидроредуктор %1 в базе данных уже существует").arg(name));
}

int TReducerDatabase::Add(const QString& name)
{
    if (name.isEmpty())
        return -1;
    RequireFree(name, -1);
    TReducerCharacter c;
    c.Name = name;
    models_.push_back({std::move(c), QString()});
    changed_ = true;
    return Count() - 1;
}

int TReducerDatabase::Copy(int from, const QString& name)
{
    if (name.isEmpty())
        return -1;
    RequireFree(name, -1);
    TReducerCharacter c = Model(from).Character;
    c.Name = name;
    models_.push_back({std::move(c), QString()});
    changed_ = true;
    return Count() - 1;
}

bool TReducerDatabase::Rename(int index, const QString& name)
{
    TReducerModel& m = models_.at(static_cast<size_t>(index));
    if (name.isEmpty() || name == m.Character.Name)
        return false;
    // Two models of one name would be written to one file.
    RequireFree(name, index);
    m.Character.Name = name;
    changed_ = true;
    return true;
}

void TReducerDatabase::Remove(int index)
{
    if (index < 0 || index >= Count())
        throw EListError(index);
    const auto at = models_.begin() + index;
    if (!at->File.isEmpty())
        toDelete_ << at->File;
    models_.erase(at);
    changed_ = true;
}

void TReducerDatabase::Apply(int index, const TReducerCharacter& character)
{
    TReducerModel& m = models_.at(static_cast<size_t>(index));
    character.Validate();
    const QString name = m.Character.Name;
    m.Character = character;
    m.Character.Name = name;
    changed_ = true;
}

void TReducerDatabase::Save()
{
    // Deleting first frees the name of a removed model for a new one of the same name.
    while (!toDelete_.isEmpty()) {
        QFile::remove(toDelete_.first());
        toDelete_.removeFirst();
    }
    for (TReducerModel& m : models_) {
        const QString path = m.File.isEmpty() ? ReducerFileNames::NewFile(folder_, m.Character.Name) : m.File;
        ReducerFile::Write(path, m.Character);
        m.File = path;
    }
    changed_ = false;
}
