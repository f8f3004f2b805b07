#pragma once

#include <QString>
#include <vector>

class TColumnSet;
class TMine;

// What the mine properties dialog edits of the mine itself.
struct TMineProperties {
    QString Name;
    QString Remark;
    int CenterX = 0;
    int CenterY = 0;
    int CenterZ = 0;
};

namespace MineProperties {

inline const QString kNotSaved = QStringLiteral("<не сохранен>");

TMineProperties Read(const TMine& mine);

// The notes without the characters that cannot be typed there (' and ;).
QString CleanRemark(const QString& remark);

struct TCenterShift {
    int DX = 0;
    int DY = 0;
};
// Stores the properties (the notes cleaned); returns how far the central point moved in X
// and Y, by which the schema's origin follows so the drawing keeps its place.
TCenterShift Apply(TMine& mine, const TMineProperties& properties);

// Column visibility from the dialog's check list, one flag per column in display order;
// the first column always stays shown.
void SetColumnVisibility(TColumnSet& columns, const std::vector<bool>& visible);

// "Файл": the document's path, or kNotSaved.
QString FileText(const QString& path);

}  // namespace MineProperties
