#pragma once

#include "render/report/ReportPages.h"

#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QPrintPreviewWidget;
class QPrinter;
class QToolBar;
class TBusyCounter;

// The preview window of a table report, "Предварительный просмотр": page navigation, the page
// list and "current/count" label, the zoom list, and "Печать" through the system print dialog.
// It keeps the way to build the report, so a paper chosen in the print dialog lays it out anew.
class TPrevForm : public QDialog {
    Q_OBJECT
public:
    using TBuild = std::function<TReportContent()>;

    // Builds the report for the printer's paper; an exception while building is shown in an
    // error box with the program's title, and the window then has no pages (Built() false).
    TPrevForm(TBuild build, TBusyCounter* busy, int copies, QWidget* parent = nullptr);
    ~TPrevForm() override;

    bool Built() const { return built_; }
    int PageCount() const { return int(pages_.size()); }
    int CurrentPage() const;
    QPrintPreviewWidget* Preview() const { return preview_; }
    QComboBox* PageList() const { return pageList_; }
    QComboBox* ZoomList() const { return zoomList_; }
    QLabel* PageLabel() const { return pageLabel_; }
    QPrinter& Printer() const { return *printer_; }
    QAction* FindAction(const QString& text) const;

    void GoToPage(int page);
    // "Печать": the system print dialog, then the job (tests call PrintTo with a printer set up).
    void PrintWithDialog();
    bool PrintTo(QPrinter& printer);

    // The zoom list's entries in order.
    static const QStringList& ZoomTexts();

private:
    bool Rebuild(const QPrinter& printer);
    void ApplyZoom(int index);
    void Step(int delta);
    void UpdateNavigation();

    TBuild build_;
    TBusyCounter* busy_;
    int copies_;
    bool built_ = false;
    std::vector<TReportPage> pages_;
    std::unique_ptr<QPrinter> printer_;
    QToolBar* bar_ = nullptr;
    QPrintPreviewWidget* preview_ = nullptr;
    QComboBox* pageList_ = nullptr;
    QComboBox* zoomList_ = nullptr;
    QLabel* pageLabel_ = nullptr;
};
