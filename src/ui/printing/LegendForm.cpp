#include "ui/printing/LegendForm.h"

#include "core/printing/AutoLegend.h"

#include <QCheckBox>
#include <QPushButton>
#include <QVBoxLayout>

TLegendForm::TLegendForm(TLegendSymbols& symbols, TMode mode, const TMine* mine, int pipeIndex, QWidget* parent)
    : QDialog(parent), symbols_(symbols), mode_(mode), mine_(mine), pipeIndex_(pipeIndex)
{
    setWindowTitle(QStringLiteral("Условные обозначения"));
    symbols_.BeginEdit();
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < kSymbolCount; ++i) {
        auto* box = new QCheckBox(symbols_.Working()[size_t(i)].Name, this);
        box->setProperty("tag", i);
        connect(box, &QCheckBox::clicked, this, [this, i](bool on) { symbols_.Working()[size_t(i)].Print = on; });
        boxes_[size_t(i)] = box;
        layout->addWidget(box);
    }
    layout->addSpacing(40);
    // The buttons are placed by hand: the view mode centres OK alone.
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    cancel_ = new QPushButton(QStringLiteral("Отмена"), this);
    auto_ = new QPushButton(QStringLiteral("А&вто"), this);
    all_ = new QPushButton(QStringLiteral("&Все"), this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(all_, &QPushButton::clicked, this, [this] {
        SetAllPrinted(symbols_.Working());
        Refresh();
    });
    connect(auto_, &QPushButton::clicked, this, [this] {
        if (mine_)
            AutoLegend::Fill(symbols_.Working(), *mine_, pipeIndex_);
        Refresh();
    });
    auto_->setEnabled(mine_ != nullptr);
    const bool view = mode_ == TMode::View;
    cancel_->setVisible(!view);
    auto_->setVisible(!view);
    all_->setVisible(!view);
    Refresh();
    resize(300, sizeHint().height());
}

void TLegendForm::Refresh()
{
    for (int i = 0; i < kSymbolCount; ++i)
        boxes_[size_t(i)]->setChecked(symbols_.Working()[size_t(i)].Print);
}

void TLegendForm::accept()
{
    if (mode_ == TMode::Edit)
        symbols_.Commit();
    QDialog::accept();
}

void TLegendForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const int w = ok_->sizeHint().width();
    const int y = height() - ok_->sizeHint().height() - 8;
    if (mode_ == TMode::View) {
        ok_->setGeometry((width() - w) / 2, y, w, ok_->sizeHint().height());
        return;
    }
    int x = 8;
    for (QPushButton* b : {auto_, all_}) {
        b->setGeometry(x, y, w, b->sizeHint().height());
        x += w + 4;
    }
    x = width() - 8 - 2 * w - 4;
    for (QPushButton* b : {ok_, cancel_}) {
        b->setGeometry(x, y, w, b->sizeHint().height());
        x += w + 4;
    }
}
