#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

class TBranch;
class TMine;
class TMineObject;
class TUzel;

// Copy and paste of nodes and branches between documents. A block is an int32 count and
// that many node or branch records (branches with their remarks, pipes and devices) in the
// current file version's layout.

inline const QString kUzelsClipboardFormat = QStringLiteral("Irvata Uzels");
inline const QString kBranchesClipboardFormat = QStringLiteral("Irvata Branches");

QByteArray EncodeUzels(const std::vector<TUzel*>& uzels);
QByteArray EncodeBranches(const std::vector<TBranch*>& branches);

// The plain text that goes with a copy: each object's hint text with its remark, separated
// by an empty line.
QString ClipboardText(const std::vector<TMineObject*>& objects);
QString ClipboardText(const std::vector<TUzel*>& uzels);
QString ClipboardText(const std::vector<TBranch*>& branches);

// Creates the objects of a block in the mine and returns them in block order. Each node is
// created with number -1 and then takes its stored number; each branch is created with
// numbers -1 and then takes its stored numbers, so it links to the mine's nodes. A damaged
// block throws EFileError and leaves the mine as it was.
std::vector<TUzel*> DecodeUzels(TMine& mine, const QByteArray& block);
std::vector<TBranch*> DecodeBranches(TMine& mine, const QByteArray& block);
