#pragma once

#include "core/file/DocumentSettings.h"
#include "core/file/NetworkFile.h"
#include "core/settings/Config.h"
#include "support/MineBuilder.h"
#include "support/SettingsSandbox.h"
#include "ui/common/FileDialogs.h"
#include "ui/common/MessageBoxes.h"
#include "ui/document/ChildForm.h"
#include "ui/document/GridModel.h"
#include "ui/document/GridView.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <deque>
#include <ostream>
#include <functional>
#include <memory>
#include <vector>

// Readable failure messages for texts.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

// Answers the message boxes of a test in order and keeps what they said. A question
// nobody scripted is answered Cancel, so a test never blocks and never loses data.
class ScriptedMessages {
public:
    ScriptedMessages()
    {
        MessageBoxes::SetInterceptor([this](const TMessageRecord& r) {
            shown.push_back(r);
            if (!answers.empty()) {
                const TMsgAnswer a = answers.front();
                answers.pop_front();
                return a;
            }
            return r.Buttons == TMsgButtons::Ok ? TMsgAnswer::Ok : TMsgAnswer::Cancel;
        });
    }
    ~ScriptedMessages() { MessageBoxes::SetInterceptor(nullptr); }
    ScriptedMessages(const ScriptedMessages&) = delete;
    ScriptedMessages& operator=(const ScriptedMessages&) = delete;

    void Answer(TMsgAnswer a) { answers.push_back(a); }
    QString LastText() const { return shown.empty() ? QString() : shown.back().Text; }

    std::vector<TMessageRecord> shown;
    std::deque<TMsgAnswer> answers;
};

// The save dialog of a test: answers with a path and a filter index.
class ScriptedSaveDialog {
public:
    ScriptedSaveDialog()
    {
        FileDialogs::SetSaveInterceptor([this](const TSaveRequest& r) {
            requests.push_back(r);
            TSaveAnswer a;
            a.Accepted = !path.isEmpty();
            a.Path = path;
            a.FilterIndex = filterIndex;
            return a;
        });
    }
    ~ScriptedSaveDialog() { FileDialogs::SetSaveInterceptor(nullptr); }
    ScriptedSaveDialog(const ScriptedSaveDialog&) = delete;
    ScriptedSaveDialog& operator=(const ScriptedSaveDialog&) = delete;

    QString path;
    int filterIndex = 1;
    std::vector<TSaveRequest> requests;
};

// Settings in a sandbox, scripted message boxes and a place for files.
class DocumentTest : public ::testing::Test {
protected:
    DocumentTest() : config(sandbox.places())
    {
        qputenv("IRVATA_CONFIG_DIR", sandbox.root().toUtf8());
    }

    std::unique_ptr<TChildForm> NewForm()
    {
        auto form = std::make_unique<TChildForm>(config);
        form->resize(1000, 600);
        return form;
    }

    QString FilePath(const QString& name) const { return sandbox.root() + QStringLiteral("/") + name; }

    // Writes a mine made by the builder function into a network file.
    QString WriteMine(const QString& name, const std::function<void(MineBuilder&)>& build, int version = 17)
    {
        MineBuilder mb;
        build(mb);
        const QString path = FilePath(name);
        NetworkFile::Write(path, mb.mine(), TDocumentSettings::Defaults(), mb.mine().Branches.ToVector(), version);
        return path;
    }

    // Nodes 1..4 on a line 100 m apart; branches 10 (1-2), 20 (2-3), 30 (3-4) with laid fire
    // pipes; node 1 also joins branch 40 (1-3).
    static void Line(MineBuilder& mb)
    {
        for (int n = 1; n <= 4; ++n)
            mb.uzel(n, (n - 1) * 100.0, 0, 0);
        mb.firePipe(10, 1, 2);
        mb.firePipe(20, 2, 3);
        mb.firePipe(30, 3, 4);
        mb.firePipe(40, 1, 3);
    }

    // Lets queued work run: a cell commit is queued, and so is the message it may raise.
    static void Settle()
    {
        for (int i = 0; i < 4; ++i)
            QCoreApplication::processEvents();
    }

    static int Column(TGridView* grid, int param) { return grid->GridModel()->Columns().IndexOfParam(param); }

    // Types the text into a cell as a person would and presses Enter.
    static void TypeInto(TChildForm& form, TGridView* grid, int row, int param, const QString& typed)
    {
        form.FocusGrid(grid);
        form.SetEditorMode(true);
        const QModelIndex idx = grid->model()->index(row, Column(grid, param));
        grid->setCurrentIndex(idx);
        grid->edit(idx);
        auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(idx));
        ASSERT_NE(editor, nullptr) << "the cell did not open an editor";
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Delete);
        QTest::keyClicks(editor, typed);
        QTest::keyClick(editor, Qt::Key_Return);
        Settle();
    }

    static QString Text(TGridView* grid, int row, int param)
    {
        return grid->model()->index(row, Column(grid, param)).data().toString();
    }

    SettingsSandbox sandbox;
    TConfig config;
    ScriptedMessages messages;
};
