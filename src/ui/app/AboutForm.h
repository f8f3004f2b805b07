#pragma once

// The About box ("О программе "): the program's name line, a few words on the program, and the
// system report (core/system) in a read-only text field; "Обновить" rebuilds both, "Сохранить"
// writes the report to a text file, "O&K" closes.
//
// Plugging in (TMainForm, actHelpAbout):
//     TAboutForm about(this);
//     about.exec();

#include <QDialog>
#include <QStringList>

#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;
struct SystemFacts;

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    // The facts source is the system's own unless a test gives another.
    using FactsSource = std::function<SystemFacts()>;
    explicit TAboutForm(QWidget* parent = nullptr, FactsSource facts = {});

    // "Обновить": the name line and the report anew.
    void Refresh();
    // Writes the report lines to the file; false (with the message shown) on failure.
    bool SaveReport(const QString& path);

    const QStringList& ReportLines() const { return lines_; }
    QLabel* NameLabel() const { return name_; }
    QPlainTextEdit* ReportView() const { return report_; }
    QPushButton* RefreshButton() const { return refresh_; }
    QPushButton* SaveButton() const { return save_; }

private:
    void AskAndSave();

    FactsSource facts_;
    QStringList lines_;
    QLabel* name_;
    QPlainTextEdit* report_;
    QPushButton* refresh_;
    QPushButton* save_;
};
