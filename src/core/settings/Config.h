#pragma once

// The application settings: one TConfig for the whole run, read from the current
// user's settings store at start and written back at the end.
//
// On Linux:
// - the "registry" is SettingsStore (current user: read-write; local machine: read-only);
// - folders use '/' and end with '/' ("trailing path separator");
// - the documents folder is QStandardPaths::DocumentsLocation;
// - the help folder default is the program's folder followed by "/help/" (share/irvata/help/
//   of the installed program); it need not be writable;
// - recent file paths are kept as given and compared case-sensitively (Linux paths are
//   case-sensitive; they are not lower-cased);
// - stored numbers that would break the program (a grid step, a scale or a font size of 0 or
//   less, a double that is not finite, a binary value of the wrong size) count as unreadable
//   settings, like a missing value.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

class SettingsStore;

// Texts and keys of the settings, exact.
inline const QString kApplicationTitle = QStringLiteral("Ирвата");
inline const QString kConfigLoadFailedCaption = QStringLiteral("Ирвата");
inline const QString kConfigLoadFailedText = QStringLiteral(
    "Не удается прочитать установки программы.\r\nВсе параметры будут выставлены в значения по умолчанию");

inline const QString kConfigBaseKey = QStringLiteral("\\Software\\korvelab\\Irvata\\1.0");
inline const QString kConfigProductKey = QStringLiteral("\\Software\\korvelab\\Irvata");
// Under the local machine root: the shared pump-database folder of korvelab's programs.
inline const QString kCommonPathKey = QStringLiteral("SOFTWARE\\korvelab\\CommonPath");
inline const QString kCommonPathDBValue = QStringLiteral("DBWaterPumps");

inline const QString kDefaultTableFont = QStringLiteral("MS Sans Serif");
inline constexpr int kMaxRecentFiles = 10;

// A Windows colour value: 0x00BBGGRR (or a system colour code).
using TColor = quint32;

// The style of one kind of table cell, stored as a 9-byte record: byte 0 the font style bits,
// bytes 1-4 the text colour, bytes 5-8 the background colour, little-endian.
struct TCellStyle {
    enum : quint8 { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
    static constexpr int kRecordSize = 9;

    quint8 Style = 0;
    TColor TextColor = 0x000000;
    TColor BackColor = 0xFFFFFF;

    QByteArray Encode() const;
    // Fails unless the record is exactly 9 bytes.
    static std::optional<TCellStyle> Decode(const QByteArray& record);

    bool operator==(const TCellStyle&) const = default;
};

// Every field of the settings, with its default. Folders come in pairs: the value in force for
// this run and the value to be used after the next start (the settings dialog changes only the
// second; Save() writes the second; Load() sets both).
struct TConfigData {
    // base key
    bool RememberLastFile = true;
    bool WasOpened = false;
    bool ShowDims = true;
    bool ShowWarnings = true;
    double DefaultKoefR = 1.05;
    double Exact = 1e-10;
    double MaxDeltaP = 1.0;
    // "\Paths" — set by TConfig's defaults (they depend on the machine)
    QString SourcePath, NewSourcePath;
    QString DBPath, NewDBPath;
    QString HelpPath, NewHelpPath;
    // "\3D"
    bool DoubleBuffer = true;
    bool LineSmooth = false;
    qint32 GridStep3D = 200;
    // "\2D"
    qint32 Scale2D = 2000;
    qint32 GridStep2D = 200;
    // "\Colors"
    QString FontName = kDefaultTableFont;
    qint32 FontSize = 8;
    TCellStyle DataCell{0, 0x000000, 0xFFFFFF};
    TCellStyle CurCell{0, 0xFFFFFF, 0x800000};
    TCellStyle SelCell{0, 0x000000, 0xFFE6E6};
    TCellStyle SurfacedCell{0, 0x000000, 0xFFE682};
    // "\Files": at most kMaxRecentFiles paths, most recent first
    QStringList RecentFiles;

    bool operator==(const TConfigData&) const = default;
};

// Where the settings live and where the default folders point. Empty members take the
// program's own: the stores SettingsStore::currentUser() and localMachine(), the user's
// documents folder, the program's folder. Tests point them at temporary places.
struct TConfigPlaces {
    SettingsStore* CurrentUser = nullptr;
    SettingsStore* LocalMachine = nullptr;
    QString DocumentsDir;
    QString ApplicationDir;
};

class TConfig : public TConfigData {
public:
    // Created with every default (ResetDefaults and ResetColors).
    TConfig();
    explicit TConfig(const TConfigPlaces& places);

    // Reads all values. False when the settings are unreadable or incomplete: then every field
    // has its default and the program shows kConfigLoadFailedText (caption
    // kConfigLoadFailedCaption, information icon). The recent files are read in every case.
    bool Load();
    // Writes all values and flushes the store to its file. Errors end the saving silently; the
    // result tells whether everything was written.
    bool Save();
    // The non-visual defaults: flags, numbers, both values of each folder, 3D and 2D values.
    void ResetDefaults();
    // Font, font size and the four cell styles.
    void ResetColors();
    // Moves an already listed path (compared case-sensitively) or inserts a new one at the
    // front; keeps at most kMaxRecentFiles.
    void AddRecentFile(const QString& path);
    // Copies every field (the settings dialog works on a copy).
    void Assign(const TConfigData& other);
    // Creates the three folders in force with all missing parents and makes the source data
    // folder the current directory. False when a folder cannot be made or entered.
    bool EnsureFolders();
    // Deletes the base key "\Software\korvelab\Irvata\1.0", then "\Software\korvelab\Irvata"
    // when it has no other subkeys, and flushes the store.
    bool RemoveFromRegistry();

    // The default folders, each ending with '/'.
    QString DefaultSourcePath() const;
    QString DefaultDBPath() const;
    QString DefaultHelpPath() const;

    SettingsStore& UserStore() const;
    SettingsStore& MachineStore() const;
    const TConfigPlaces& Places() const { return places_; }

    // "dir" with a '/' at the end (an empty text stays empty).
    static QString WithTrailingSeparator(const QString& dir);

private:
    bool LoadValues();
    bool WriteValues();
    void LoadRecentFiles();
    QString DocumentsDir() const;

    TConfigPlaces places_;
};
