#pragma once

#include <QWidget>
#include <functional>

class QAction;
class QListView;
class QMenu;
class QToolButton;
class TMessageList;
class TMessageListModel;

// The message panel under the node and branch tables: the check and free-number lines of
// the document, a small close button and the message menu.
class TMessagePanel : public QWidget {
    Q_OBJECT
public:
    TMessagePanel(TMessageList* list, QWidget* parent = nullptr);

    QListView* ListView() const { return list_; }
    TMessageListModel* Model() const { return model_; }
    // The selected line, or −1.
    int CurrentLine() const;
    void SelectLine(int line);

    QAction* GotoSourceAction() const { return gotoSource_; }
    QAction* GotoSchemaAction() const { return gotoSchema_; }
    QAction* ClearChecksAction() const { return clearChecks_; }
    QAction* ClearFreeNumsAction() const { return clearFreeNums_; }
    QAction* ClearAllAction() const { return clearAll_; }

    // Enables the menu commands for the selected line.
    void UpdateActions();
    // Whether anything would show a line's object on the schema; until then "Перейти на
    // схему" stays disabled. Asked whenever the commands are enabled.
    void SetSchemaReachable(std::function<bool()> reachable) { schemaReachable_ = std::move(reachable); }

signals:
    void GotoSourceRequested(int line);
    void GotoSchemaRequested(int line);
    void ClearChecksRequested();
    void ClearFreeNumsRequested();
    void ClearAllRequested();
    void CloseRequested();

private:
    TMessageListModel* model_;
    QListView* list_;
    QToolButton* smallBtn_;
    QMenu* menu_;
    QAction* gotoSource_;
    QAction* gotoSchema_;
    QAction* clearChecks_;
    QAction* clearFreeNums_;
    QAction* clearAll_;
    std::function<bool()> schemaReachable_;
};
