#include "mainwindow/PageBasis.h"

#include "controls/CMyStaticTitel.h"
#include "engine/CUtil.h"
#include "engine/TextFormat.h"
#include "mainwindow/PageNumbers.h"
#include "mainwindow/PagePrompts.h"
#include "mainwindow/PageTexts.h"
#include "mainwindow/PageToolTips.h"
#include "model/CProjectData.h"
#include "model/RunParameterBuild.h"
#include "resources/Strings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr char kControlIdProperty[] = "controlId";
constexpr int kPageMargin = 8;
constexpr int kPageSpacing = 8;
constexpr int kEllipsisPadding = 20;

} // namespace

CBasisPage::CBasisPage(const PageEnvironment &environment, int captionId, const QString &note)
    : m_environment(environment)
    , m_title(new CMyStaticTitel(this))
{
    setWindowTitle(LoadStr(captionId));
    m_title->SetText(note);
    tag(*m_title, TitleId, "Title", 0);
    m_content = new QWidget;
    m_content->setObjectName(QStringLiteral("PageContent"));
    m_layout = new QVBoxLayout(m_content);
    m_layout->setContentsMargins(kPageMargin, kPageMargin, kPageMargin, kPageMargin);
    m_layout->setSpacing(kPageSpacing);
    m_layout->addWidget(m_title);
    // In a window narrower than the page the page scrolls, instead of forcing its width on the
    // main window.
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("PageScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(m_content);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
}

QSize CBasisPage::sizeHint() const
{
    const QSize content = m_content->sizeHint();
    return {content.width(), content.height() + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this)};
}

QWidget *CBasisPage::Control(int controlId) const
{
    const QList<QWidget *> children = findChildren<QWidget *>();
    for (QWidget *child : children) {
        if (ControlId(*child) == controlId)
            return child;
    }
    return nullptr;
}

int CBasisPage::ControlId(const QObject &control)
{
    return control.property(kControlIdProperty).toInt();
}

void CBasisPage::StartRetryRun(const QString &kopierdatei) const
{
    if (m_environment.StartRetryRun)
        m_environment.StartRetryRun(kopierdatei);
}

void CBasisPage::MarkModified() const
{
    m_environment.Project.Modified = true;
}

bool CBasisPage::PickTextFile(QString &path)
{
    const std::optional<QString> chosen = Prompts().PickTextFile(this, path);
    if (!chosen || chosen->isEmpty())
        return false;
    path = model::AppendDefaultExtension(*chosen);
    MarkModified();
    return true;
}

void CBasisPage::ShowFile(const QString &path)
{
    if (path.isEmpty() || !CUtil::PathExists(path))
        return;
    Prompts().ShowFile(this, path);
}

std::optional<qint64> CBasisPage::TakeNumber(QLineEdit &edit, qint64 minimum, qint64 maximum, int labelId)
{
    const std::optional<qint64> value = ParseWholeNumber(edit.text());
    if (value && *value >= minimum && *value <= maximum)
        return value;
    if (m_reporting)
        return std::nullopt;
    m_reporting = true;
    bringToFront();
    const QString label = ControlText(labelId);
    Prompts().ShowWarning(this, value ? FormatStr(PageText::NumberOutOfRange, {label, minimum, maximum})
                                      : FormatStr(PageText::NotANumber, {label}));
    edit.setFocus(Qt::OtherFocusReason);
    edit.selectAll();
    m_reporting = false;
    return std::nullopt;
}

// A value is often refused while another tab is shown (a run start, a save): the page with the
// field comes to the front, so that the message and the focus point at something visible.
void CBasisPage::bringToFront()
{
    for (QWidget *ancestor = parentWidget(); ancestor; ancestor = ancestor->parentWidget()) {
        if (auto *tabs = qobject_cast<QTabWidget *>(ancestor)) {
            tabs->setCurrentWidget(this);
            return;
        }
    }
}

void CBasisPage::tag(QWidget &control, int controlId, const char *name, int tipId)
{
    control.setProperty(kControlIdProperty, controlId);
    control.setObjectName(QString::fromLatin1(name));
    if (controlId >= FirstTipId && controlId <= LastTipId)
        SetControlToolTip(control, tipId);
}

// A caption with CR LF line ends (the three-line check box of the page "Option") keeps its
// breaks as a button shows them.
QCheckBox *CBasisPage::NewCheckBox(int controlId, const char *name)
{
    QString caption = ControlText(controlId);
    caption.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return Tag(new QCheckBox(caption, this), controlId, name);
}

QRadioButton *CBasisPage::NewRadioButton(int controlId, const char *name)
{
    return Tag(new QRadioButton(ControlText(controlId), this), controlId, name);
}

// A "..." button stays as narrow as its text; the style would widen it like any other button.
QPushButton *CBasisPage::NewButton(int controlId, const char *name)
{
    auto *button = new QPushButton(ControlText(controlId), this);
    button->setAutoDefault(false);
    if (button->text() == QStringLiteral("..."))
        button->setFixedWidth(button->fontMetrics().horizontalAdvance(button->text()) + kEllipsisPadding);
    return Tag(button, controlId, name);
}

QLineEdit *CBasisPage::NewLineEdit(int controlId, const char *name, int tipId)
{
    return Tag(new QLineEdit(this), controlId, name, tipId);
}

QLabel *CBasisPage::NewLabel(int labelId, const char *name)
{
    return Tag(new QLabel(ControlText(labelId), this), labelId, name);
}

QGroupBox *CBasisPage::NewGroupBox(int labelId, const char *name)
{
    return Tag(new QGroupBox(ControlText(labelId), this), labelId, name);
}

} // namespace ui
