#include "mainwindow/PageZip.h"

#include "engine/CUtil.h"
#include "mainwindow/PageNumbers.h"
#include "mainwindow/PageTexts.h"
#include "model/CProjectData.h"
#include "resources/Strings.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace ui {

namespace {

using Group = model::CPageZip;

constexpr int kCompressId = 2063;
constexpr int kVerifyId = 2064;
constexpr int kExcludeId = 2061;
constexpr int kPatternsId = 2062;
constexpr int kMinSizeId = 1103;
constexpr int kMaxSizeId = 1104;
constexpr qint64 kBytesPerMegabyte = 1024 * 1024;
constexpr int kSizeWidth = 80;
const QColor kSizeColour(0, 0, 200);

// Reports when a size field loses the keyboard focus; the page validates the field then.
class FocusLossFilter : public QObject {
public:
    FocusLossFilter(QObject *parent, std::function<void()> onFocusLost)
        : QObject(parent)
        , m_onFocusLost(std::move(onFocusLost))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Switching to another window or opening a menu is no leaving of the field.
        if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                QMetaObject::invokeMethod(this, m_onFocusLost, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_onFocusLost;
};

} // namespace

CPageZip::CPageZip(const PageEnvironment &environment)
    : CBasisPage(environment, PageText::Caption(PageText::Tab::Zip), PageNoteWholePage())
    , m_binder([this]() -> Group & { return group(); })
{
    createControls();
    layOut();
    connectReactions();
    ShowValues();
}

Group &CPageZip::group() const
{
    return Project().Zip;
}

void CPageZip::createControls()
{
    m_binder.Check(*NewCheckBox(kCompressId, "CompressFiles"), &Group::CompressFiles);
    m_binder.Check(*NewCheckBox(kVerifyId, "VerifyCompressed"), &Group::VerifyCompressed);
    m_binder.Check(*NewCheckBox(kExcludeId, "CompressExcludeEnabled"), &Group::CompressExcludeEnabled);
    m_patterns = NewLineEdit(kPatternsId, "CompressExcludePatterns");
    m_binder.Text(*m_patterns, &Group::CompressExcludePatterns);
    m_minSize = NewLineEdit(kMinSizeId, "CompressMinSize");
    m_maxSize = NewLineEdit(kMaxSizeId, "CompressMaxSizeMB");
    for (QLineEdit *size : {m_minSize, m_maxSize}) {
        size->setFixedWidth(kSizeWidth);
        size->setAlignment(Qt::AlignRight);
    }
    m_minSizeText = Tag(new QLabel(this), 1105, "CompressMinSizeText");
    m_maxSizeText = Tag(new QLabel(this), 1106, "CompressMaxSizeText");
    for (QLabel *text : {m_minSizeText, m_maxSizeText}) {
        QPalette palette = text->palette();
        palette.setColor(QPalette::WindowText, kSizeColour);
        text->setPalette(palette);
    }
}

QGroupBox *CPageZip::sizeGroup()
{
    QGroupBox *box = NewGroupBox(LabelId::SizeBounds, "SizeGroup");
    auto *grid = new QGridLayout(box);
    grid->addWidget(NewLabel(LabelId::MinSize, "MinSizeLabel"), 0, 0);
    grid->addWidget(m_minSize, 0, 1);
    grid->addWidget(NewLabel(LabelId::MinSizeUnit, "MinSizeUnit"), 0, 2);
    grid->addWidget(m_minSizeText, 0, 3);
    grid->addWidget(NewLabel(LabelId::MaxSize, "MaxSizeLabel"), 1, 0);
    grid->addWidget(m_maxSize, 1, 1);
    grid->addWidget(NewLabel(LabelId::MaxSizeUnit, "MaxSizeUnit"), 1, 2);
    grid->addWidget(m_maxSizeText, 1, 3);
    grid->setColumnStretch(3, 1);
    grid->setColumnMinimumWidth(3, kSizeWidth);
    grid->setRowStretch(2, 1);
    return box;
}

void CPageZip::layOut()
{
    QGroupBox *patterns = NewGroupBox(LabelId::FilePatterns, "PatternGroup");
    auto *patternLayout = new QVBoxLayout(patterns);
    patternLayout->addWidget(Control(kExcludeId));
    patternLayout->addWidget(m_patterns);
    patternLayout->addStretch(1);

    auto *groups = new QHBoxLayout;
    groups->addWidget(patterns, 1);
    groups->addWidget(sizeGroup(), 1);
    PageLayout().addWidget(Control(kCompressId));
    PageLayout().addWidget(Control(kVerifyId));
    PageLayout().addLayout(groups);
    PageLayout().addStretch(1);
}

void CPageZip::connectReactions()
{
    for (int id : {kExcludeId, kCompressId}) {
        connect(static_cast<QCheckBox *>(Control(id)), &QCheckBox::clicked, this, [this] {
            MarkModified();
            ApplyEnablingRules();
        });
    }
    connect(static_cast<QCheckBox *>(Control(kVerifyId)), &QCheckBox::clicked, this, [this] { MarkModified(); });
    connect(m_patterns, &QLineEdit::textChanged, this, [this] { MarkModified(); });
    for (QLineEdit *size : {m_minSize, m_maxSize}) {
        connect(size, &QLineEdit::textChanged, this, [this] {
            MarkModified();
            refreshSizeTexts();
        });
        size->installEventFilter(new FocusLossFilter(size, [this] { onSizeFieldLeft(); }));
    }
}

// A reset or a loaded record: the values shown as they are, then the dependencies. Nothing is
// validated here, so a value outside its range stays visible until a run start refuses it.
void CPageZip::ShowValues()
{
    group().ApplyDependencies();
    showControls();
    enableDependents();
}

bool CPageZip::TakeValues()
{
    const std::optional<qint64> minimum = TakeNumber(*m_minSize, 0, Group::MaxCompressMinSize, LabelId::MinSize);
    if (!minimum)
        return false;
    const std::optional<qint64> maximum =
        TakeNumber(*m_maxSize, Group::MinCompressMaxSizeMB, Group::MaxCompressMaxSizeMB, LabelId::MaxSize);
    if (!maximum)
        return false;
    group().CompressMinSize = quint32(*minimum);
    group().CompressMaxSizeMB = quint32(*maximum);
    m_binder.TakeAll();
    return true;
}

bool CPageZip::ApplyEnablingRules()
{
    if (!TakeValues())
        return false;
    group().ApplyDependencies();
    showControls();
    enableDependents();
    return true;
}

void CPageZip::showControls()
{
    m_binder.ShowAll();
    const QSignalBlocker minBlocker(m_minSize);
    const QSignalBlocker maxBlocker(m_maxSize);
    m_minSize->setText(QString::number(group().CompressMinSize));
    m_maxSize->setText(QString::number(group().CompressMaxSizeMB));
    refreshSizeTexts();
}

void CPageZip::enableDependents()
{
    const bool compress = group().CompressFiles != 0;
    m_patterns->setEnabled(group().CompressExcludeEnabled != 0);
    for (QWidget *control : {Control(kVerifyId), Control(kExcludeId), static_cast<QWidget *>(m_minSize),
                             static_cast<QWidget *>(m_maxSize)})
        control->setEnabled(compress);
}

void CPageZip::refreshSizeTexts()
{
    m_minSizeText->setText(CUtil::FormatFileSize(ParseLeadingInt64(m_minSize->text())));
    m_maxSizeText->setText(
        CUtil::FormatFileSize(SaturatingMultiply(ParseLeadingInt64(m_maxSize->text()), kBytesPerMegabyte)));
}

void CPageZip::onSizeFieldLeft()
{
    if (TakeValues())
        refreshSizeTexts();
}

} // namespace ui
