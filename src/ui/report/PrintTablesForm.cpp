#include "ui/report/PrintTablesForm.h"

#include "core/checks/MessageList.h"
#include "core/hydraulics/HydroCalculation.h"
#include "core/tables/DocumentRows.h"
#include "core/model/Mine.h"
#include "ui/document/ChildForm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// What the last calculation told in the message list: the lines after its header.
QStringList CalculationLines(const TMessageList& list)
{
    const QString header = HydroTexts::kHeader.trimmed();
    int first = -1;
    for (int i = list.Count() - 1; i >= 0 && first < 0; --i)
        if (list.Line(i).Family == TMessageFamily::Check && list.Line(i).Text.startsWith(header))
            first = i + 1;
    QStringList lines;
    for (int i = std::max(first, 0); first >= 0 && i < list.Count(); ++i) {
        const TMessageLine& line = list.Line(i);
        if (line.Family != TMessageFamily::Check)
            continue;
        if (line.Text.trimmed().isEmpty())
            break;  // the end of the calculation's phase
        lines << line.Text;
    }
    return lines;
}

}  // namespace

TTablesReportOptions& TPrintTablesForm::Remembered()
{
    static TTablesReportOptions options;
    return options;
}

TPrintTablesForm::TPrintTablesForm(TChildForm& document, QWidget* parent)
    : TReportDialog(&document.Busy(), parent), document_(document)
{
    hasResults_ = document.HydroResults() != nullptr;
    const TTablesReportOptions& o = Remembered();
    const QStringList rowChoices{QStringLiteral("Полностью"), QStringLiteral("Выделенные строки"),
                                 QStringLiteral("Не печатать")};

    auto* uzelBox = new QGroupBox(QStringLiteral(" Узлы "), this);
    uzels_ = AddChoice(uzelBox, rowChoices, o.Uzels);
    auto* branchBox = new QGroupBox(QStringLiteral(" Ветви "), this);
    branches_ = AddChoice(branchBox, rowChoices, o.Branches);
    resultBox_ = new QGroupBox(QStringLiteral("Участки трубопровода "), this);
    results_ = AddChoice(resultBox_,
                         {QStringLiteral("Полностью"), QStringLiteral("Выделенные ветви"),
                          QStringLiteral("В конце, в начале и в потребителях"),
                          QStringLiteral("С движением воды (в конце, в начале)"),
                          QStringLiteral("С движением воды (полностью)"), QStringLiteral("Не печатать")},
                         o.Results);
    washers_ = new QCheckBox(QStringLiteral("Дроссельные шайбы"), this);
    lowers_ = new QCheckBox(QStringLiteral("Недостаток давления"), this);
    messages_ = new QCheckBox(QStringLiteral("Сообщения и рекомендации"), this);
    title_ = new QCheckBox(QStringLiteral("Титульный лист"), this);
    pageNumbers_ = new QCheckBox(QStringLiteral("Номера страниц"), this);
    washers_->setChecked(o.Washers);
    lowers_->setChecked(o.Lowers);
    messages_->setChecked(o.Messages);
    title_->setChecked(o.TitlePage);
    pageNumbers_->setChecked(o.PageNumbers);
    resultBox_->setEnabled(hasResults_);
    washers_->setEnabled(hasResults_);
    lowers_->setEnabled(hasResults_);

    auto* grid = new QGridLayout;
    grid->addWidget(uzelBox, 0, 0);
    grid->addWidget(branchBox, 1, 0);
    grid->addWidget(resultBox_, 0, 1, 2, 1);
    auto* checks = new QVBoxLayout;
    for (QCheckBox* box : {washers_, lowers_, messages_, title_, pageNumbers_}) {
        checks->addWidget(box);
        connect(box, &QCheckBox::toggled, this, [this] { UpdateButtons(); });
    }
    checks->addStretch(1);
    grid->addLayout(checks, 0, 2, 2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    AddCommonControls(layout);
    CopiesBox()->setValue(std::max(1, o.Copies));
    UpdateButtons();
}

QButtonGroup* TPrintTablesForm::AddChoice(QGroupBox* box, const QStringList& texts, int checked)
{
    auto* group = new QButtonGroup(box);
    auto* layout = new QVBoxLayout(box);
    for (int i = 0; i < texts.size(); ++i) {
        auto* radio = new QRadioButton(texts[i], box);
        group->addButton(radio, i);
        layout->addWidget(radio);
    }
    if (QAbstractButton* b = group->button(checked))
        b->setChecked(true);
    else
        group->button(0)->setChecked(true);
    connect(group, &QButtonGroup::idToggled, this, [this] { UpdateButtons(); });
    return group;
}

TTablesReportOptions TPrintTablesForm::Options() const
{
    TTablesReportOptions o;
    o.Uzels = uzels_->checkedId();
    o.Branches = branches_->checkedId();
    o.Results = results_->checkedId();
    o.Washers = washers_->isChecked();
    o.Lowers = lowers_->isChecked();
    o.Messages = messages_->isChecked();
    o.TitlePage = title_->isChecked();
    o.PageNumbers = pageNumbers_->isChecked();
    o.Copies = CopiesBox() ? CopiesBox()->value() : 1;
    return o;
}

bool TPrintTablesForm::ChoosesSomething() const
{
    const TTablesReportOptions o = Options();
    const bool results = hasResults_ && (o.Results != TTablesReportOptions::NoResults || o.Washers || o.Lowers);
    return o.TitlePage || o.Uzels != TTablesReportOptions::NoRows || o.Branches != TTablesReportOptions::NoRows ||
           results;
}

void TPrintTablesForm::StoreChoices() const
{
    Remembered() = Options();
}

TTablesReportInputs TPrintTablesForm::Inputs(const TTablesReportOptions& o) const
{
    const TMine& mine = *document_.Mine();
    TDocumentRows& rows = document_.Rows();
    std::vector<TBranch*> order;
    if (rows.Stale()) {
        for (int i = 0; i < mine.Branches.Count(); ++i)
            order.push_back(mine.Branches.Items(i));
    } else {
        order = rows.BranchOrderVector();
    }
    TTablesReportInputs in;
    in.Mine = &mine;
    in.FileName = document_.FileName();
    in.When = QDateTime::currentDateTime();
    in.Uzels = TablesReport::ChooseUzels(mine, o.Uzels);
    in.UzelColumns = &document_.UzelColumns();
    in.Branches = TablesReport::ChooseBranches(order, o.Branches);
    in.BranchColumns = &document_.BranchColumns();
    in.ResultColumns = &document_.ResultColumns();
    in.TitlePage = o.TitlePage;
    in.PageNumbers = o.PageNumbers;
    in.Messages = o.Messages;
    if (const THydroResults* results = hasResults_ ? document_.HydroResults() : nullptr) {
        in.Results = TablesReport::ChooseResults(results->Sections, o.Results);
        if (o.Washers)
            in.Washers = results->Washers;
        if (o.Lowers)
            in.Lowers = results->Lowers;
        // A part of the sections names its choice.
        if (o.Results != TTablesReportOptions::AllSections)
            if (QAbstractButton* b = results_->button(o.Results))
                in.ResultsCaption = QStringLiteral("(%1)").arg(b->text().toLower());
        in.ResultMessages = CalculationLines(document_.Messages());
    }
    return in;
}

TReportContent TPrintTablesForm::BuildContent() const
{
    return TablesReport::Build(Inputs(Options()));
}
