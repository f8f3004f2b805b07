#pragma once

// What the schema's information panel says of the mine and of the object the user picked:
// plain lines (headings, blank lines) and items of a label and a value, which the panel pads
// with dots to a fixed width.

#include <QString>

#include <vector>

class TMine;
class TMineObject;

struct TDescriptionLine {
    QString Label;
    QString Value;
    bool Item = false;  // a label padded with dots, then the value
    // The pixel width the label is padded to (85 for branches and devices, 95 for nodes).
    int Width = 0;
};

namespace ObjectDescription {

// "Шахта: "name"" and the counts of branches, nodes, seams and devices.
QString MineSummary(const TMine& mine);

// A node, branch or device; nothing for anything else.
std::vector<TDescriptionLine> Describe(const TMineObject* object);

}  // namespace ObjectDescription
