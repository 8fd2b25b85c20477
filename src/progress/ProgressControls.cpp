#include "progress/ProgressControls.h"

#include "progress/CFortschrittCtrl.h"
#include "progress/CMessageEdit.h"
#include "progress/DialogUnits.h"
#include "progress/ProgressTexts.h"
#include "resources/Strings.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

struct PaneTemplate {
    const char *name;
    int top;
};

constexpr PaneTemplate kPanes[] = {{"pane1", 7}, {"pane2", 100}, {"pane3", 194}};

template <typename Widget> Widget *place(Widget *widget, const char *name, const QRect &rect)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(rect);
    return widget;
}

QLabel *label(QWidget *page, const DialogUnits &du, const QString &text, int x, int y)
{
    auto *widget = new QLabel(text, page);
    widget->adjustSize();
    widget->move(du.X(x), du.Y(y));
    return widget;
}

QLineEdit *field(QWidget *page, const DialogUnits &du, const char *name, int x, int y)
{
    auto *edit = new QLineEdit(page);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    return place(edit, name, du.Rect(x, y, 45, 12));
}

void createSummary(ProgressControls &c, const DialogUnits &du)
{
    QWidget *page = c.Page;
    c.SummaryBox = place(new QGroupBox(ControlText(kControlSummaryBox), page), "summaryBox",
                         du.Rect(363, 286, 152, 134));
    label(page, du, LoadStr(kTextStartTimeLabel), 370, 300);
    c.StartTime = field(page, du, "startTimeField", 462, 297);
    c.EndTimeLabel = place(new QLabel(ControlText(kControlEndTimeLabel), page), "endTimeLabel",
                           du.Rect(370, 313, 81, 8));
    c.EndTime = field(page, du, "endTimeField", 462, 311);
    label(page, du, LoadStr(kTextDurationLabel), 370, 326);
    c.Duration = field(page, du, "durationField", 462, 325);
    auto *line = new QFrame(page);
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    place(line, "separator", du.Rect(370, 342, 138, 1));
    c.ErrorLabel = label(page, du, ControlText(kControlErrorLabel), 370, 348);
    c.ErrorLabel->setObjectName(QStringLiteral("errorLabel"));
    c.ErrorCount = field(page, du, "errorField", 462, 346);
    label(page, du, LoadStr(kTextSkippedLabel), 370, 363);
    c.Skipped = field(page, du, "skipField", 462, 361);
    c.CancelButton = place(new QPushButton(LoadStr(kTextCancelButton), page), "cancelButton",
                           du.Rect(416, 385, 50, 14));
    c.CancelButton->setAutoDefault(false);
}

} // namespace

ProgressControls CreateProgressControls(QWidget &window, int paneCount)
{
    ProgressControls c;
    c.Page = new QWidget(&window);
    c.Page->setObjectName(QStringLiteral("page"));
    const DialogUnits du(window.font());
    for (int i = 0; i < paneCount && i < 3; ++i)
        c.Panes.push_back(place(new CFortschrittCtrl(c.Page), kPanes[i].name, du.Rect(7, kPanes[i].top, 508, 80)));
    c.MessageFrame = place(new QGroupBox(ControlText(kControlMessageBox), c.Page), "messageFrame",
                           du.Rect(7, 286, 351, 134));
    c.MessageBox = place(new CMessageEdit(c.Page), "messageBox", du.Rect(15, 301, 337, 112));
    createSummary(c, du);
    c.Page->resize(du.X(522), du.Y(426));
    return c;
}
