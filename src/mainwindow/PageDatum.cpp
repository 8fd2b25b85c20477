#include "mainwindow/PageDatum.h"

#include "engine/TimeFormat.h"
#include "mainwindow/PageDatumTexts.h"
#include "mainwindow/PageTexts.h"
#include "model/CProjectData.h"
#include "resources/Strings.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

namespace ui {

namespace {

using Group = model::CPageDatum;

const QColor kNoteColour(0, 128, 0);
const QColor kReadingColour(0, 0, 200);
constexpr int kAmountWidth = 60;
constexpr int kDateWidth = 150;

} // namespace

CPageDatum::CPageDatum(const PageEnvironment &environment, Clock clock)
    : CBasisPage(environment, PageText::Caption(PageText::Tab::Datum), PageNoteWholePage())
    , m_binder([this]() -> Group & { return group(); })
    , m_clock(clock ? std::move(clock) : Clock(&QDateTime::currentDateTime))
    , m_today(m_clock())
{
    createControls();
    layOut();
    connectReactions();
    ShowValues();
}

Group &CPageDatum::group() const
{
    return Project().Datum;
}

QLabel *CPageDatum::newNote(int controlId, const char *name, const QColor &colour)
{
    auto *label = Tag(new QLabel(ControlText(controlId), this), controlId, name);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

void CPageDatum::createControls()
{
    m_modes = new QButtonGroup(this);
    m_modes->addButton(NewRadioButton(2070, "NoDateFilter"), Group::NoDateFilter);
    m_modes->addButton(NewRadioButton(2072, "AbsoluteRange"), Group::AbsoluteRange);
    m_modes->addButton(NewRadioButton(2071, "RelativeToStart"), Group::RelativeToStart);
    m_from = NewLineEdit(2048, "DateFromText");
    m_to = NewLineEdit(2049, "DateToText");
    m_days = NewLineEdit(2051, "RelativeDays", PageText::DaysTip);
    m_hours = NewLineEdit(2050, "RelativeHours");
    m_todayField = Tag(new QLineEdit(this), 1065, "Today");
    m_todayField->setReadOnly(true);
    for (QLineEdit *date : {m_from, m_to, m_todayField})
        date->setMinimumWidth(kDateWidth);
    for (QLineEdit *amount : {m_days, m_hours})
        amount->setFixedWidth(kAmountWidth);
    m_binder.Text(*m_from, &Group::DateFromText);
    m_binder.Text(*m_to, &Group::DateToText);
    m_binder.Text(*m_days, &Group::RelativeDays);
    m_binder.Text(*m_hours, &Group::RelativeHours);
    m_fromText = newNote(1060, "DateFromReading", kReadingColour);
    m_toText = newNote(1061, "DateToReading", kReadingColour);
    m_relativeText = newNote(1062, "RelativeReading", kReadingColour);
    m_explanation = newNote(1064, "Explanation", kReadingColour);
    m_explanation->setWordWrap(true);
    for (int id : {1067, 1063})
        newNote(id, id == 1067 ? "AbsoluteNote" : "RelativeNote", kNoteColour)->setWordWrap(true);
}

void CPageDatum::layOut()
{
    auto *amounts = new QHBoxLayout;
    amounts->addWidget(m_days);
    amounts->addSpacing(12);
    amounts->addWidget(NewLabel(LabelId::Hours, "HoursLabel"));
    amounts->addSpacing(6);
    amounts->addWidget(m_hours);
    amounts->addStretch(1);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(4);
    grid->addWidget(m_modes->button(Group::NoDateFilter), 0, 0);
    grid->addWidget(NewLabel(LabelId::Today, "TodayLabel"), 0, 1);
    grid->addWidget(m_todayField, 0, 2);
    grid->addWidget(m_modes->button(Group::AbsoluteRange), 1, 0);
    grid->addWidget(NewLabel(LabelId::DateFrom, "DateFromLabel"), 1, 1);
    grid->addWidget(m_from, 1, 2);
    grid->addWidget(m_fromText, 1, 3);
    grid->addWidget(NewLabel(LabelId::DateTo, "DateToLabel"), 2, 1);
    grid->addWidget(m_to, 2, 2);
    grid->addWidget(m_toText, 2, 3);
    grid->addWidget(Control(1067), 3, 1, 1, 3);
    grid->addWidget(m_modes->button(Group::RelativeToStart), 4, 0);
    grid->addWidget(NewLabel(LabelId::Days, "DaysLabel"), 4, 1);
    grid->addLayout(amounts, 4, 2);
    grid->addWidget(m_relativeText, 4, 3);
    grid->addWidget(Control(1063), 5, 1, 1, 3);
    grid->setColumnStretch(3, 1);
    grid->setColumnMinimumWidth(3, kDateWidth);
    PageLayout().addLayout(grid);
    PageLayout().addWidget(m_explanation);
    PageLayout().addStretch(1);
}

void CPageDatum::connectReactions()
{
    connect(m_modes, &QButtonGroup::idClicked, this, [this] {
        TakeValues();
        MarkModified();
        ApplyModeRules();
    });
    for (QLineEdit *edit : {m_from, m_to, m_days, m_hours}) {
        connect(edit, &QLineEdit::textChanged, this, &CPageDatum::refreshTexts);
        // A typed date is part of the project; without the mark it would be lost without the
        // save question when the project is closed.
        connect(edit, &QLineEdit::textEdited, this, [this] { MarkModified(); });
    }
}

void CPageDatum::ShowValues()
{
    ApplyModeRules();
}

bool CPageDatum::TakeValues()
{
    m_binder.TakeAll();
    if (m_modes->checkedId() >= 0)
        group().DateFilterMode = m_modes->checkedId();
    return true;
}

void CPageDatum::ApplyModeRules()
{
    group().ApplyModeRules();
    showControls();
    const qint32 mode = group().DateFilterMode;
    m_from->setEnabled(mode == Group::AbsoluteRange);
    m_to->setEnabled(mode == Group::AbsoluteRange);
    m_days->setEnabled(mode == Group::RelativeToStart);
    m_hours->setEnabled(mode == Group::RelativeToStart);
    refreshTexts();
}

void CPageDatum::showEvent(QShowEvent *event)
{
    m_today = m_clock();
    showControls();
    refreshTexts();
    CBasisPage::showEvent(event);
}

void CPageDatum::showControls()
{
    m_binder.ShowAll();
    m_todayField->setText(FormatDateTime(LoadStr(PageText::DateTimeFormat), m_today));
    QAbstractButton *mode = m_modes->button(group().DateFilterMode);
    if (mode) {
        const QSignalBlocker blocker(mode);
        mode->setChecked(true);
        return;
    }
    // A mode a project file holds but no button stands for: no button is shown checked.
    m_modes->setExclusive(false);
    for (QAbstractButton *button : m_modes->buttons())
        button->setChecked(false);
    m_modes->setExclusive(true);
}

void CPageDatum::refreshTexts()
{
    m_fromText->setText(DateBoundText(group().DateFromText));
    m_toText->setText(DateBoundText(group().DateToText));
    m_relativeText->setText(RelativeBoundText(group().RelativeDays, group().RelativeHours, m_today));
    m_explanation->setText(DateFilterExplanation(group()));
}

} // namespace ui
