#pragma once

// The program's help window: the HTML pages of the help folder (the "HelpPath" setting) shown
// in a browser with "Содержание", "Назад" and "Вперед". One window for the whole run; asking
// for another page brings it to the front on that page.
//
// Plugging in (TMainForm):
//     actHelpTopics:          HelpViewer::Show(config_.HelpPath, kHelpContents, this);
//     F1 / "&Справка" button: HelpViewer::Show(config_.HelpPath, context, this);
// Without pages in the folder it shows "Файл справки не найден: %1" under "Ошибка".

#include <QPointer>
#include <QString>
#include <QWidget>

class QAbstractButton;
class QTextBrowser;

inline const QString kHelpNotFoundText = QStringLiteral("Файл справки не найден: %1");

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    // Opens the page of the context (the contents for kHelpContents or an unknown context).
    // Returns the window, or null when the folder has no pages. messageParent is where an
    // error appears; the window itself has no parent and lives until the program ends.
    static HelpViewer* Show(const QString& helpFolder, int context, QWidget* messageParent = nullptr);
    // The window if it is open.
    static HelpViewer* Instance();

    // The folder of the pages for windows that do not carry the settings (set at start).
    static void SetFolder(const QString& helpFolder);
    static QString Folder();
    // The page of the window's help context (the innermost focused widget inside it that
    // carries one, else the window's own).
    static HelpViewer* ShowFor(QWidget* window);
    // F1 anywhere in the window, and the button when given, open the window's page.
    static void Attach(QWidget* window, QAbstractButton* button = nullptr);

    QTextBrowser* Browser() const { return browser_; }
    // The shown page's file path.
    QString CurrentPage() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    HelpViewer();
    void ShowPage(const QString& folder, const QString& path);

    QTextBrowser* browser_;
    QString folder_;
};
