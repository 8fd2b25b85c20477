#include "mainwindow/CDlgNeuAen.h"

#include "controls/BrowseButton.h"
#include "controls/BrowseForFolder.h"
#include "controls/GuiTexts.h"
#include "resources/Strings.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kCaptionNew = 200;
constexpr int kCaptionChange = 201;
constexpr int kCaptionCopy = 206;
constexpr int kSourceTitle = 330;
constexpr int kTargetTitle = 331;
constexpr int kCancelText = 211;
constexpr int kEditWidth = 520;

int captionId(CDlgNeuAen::Mode mode)
{
    switch (mode) {
    case CDlgNeuAen::Mode::New:
        return kCaptionNew;
    case CDlgNeuAen::Mode::Change:
        return kCaptionChange;
    case CDlgNeuAen::Mode::Copy:
        return kCaptionCopy;
    }
    return kCaptionNew;
}

QLineEdit *pathEdit(QWidget *parent, const char *name, const QString &text)
{
    auto *edit = new QLineEdit(text, parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMinimumWidth(kEditWidth);
    return edit;
}

} // namespace

CDlgNeuAen::CDlgNeuAen(Mode mode, const CListData &job, IUserPrompts &prompts, QWidget *parent)
    : QDialog(parent)
    , m_mode(mode)
    , m_prompts(prompts)
{
    setObjectName(QStringLiteral("CDlgNeuAen"));
    setWindowTitle(LoadStr(captionId(mode)));
    CListData shown = job;
    if (mode == Mode::New) {
        shown.Active = 1;
        shown.WithSubdirs = 1;
    }
    m_source = pathEdit(this, "SourceDir", shown.SourceDir);
    m_target = pathEdit(this, "TargetDir", shown.TargetDir);
    m_active = new QCheckBox(ControlText(1008), this);
    m_active->setObjectName(QStringLiteral("Active"));
    m_active->setChecked(shown.Active != 0);
    m_subdirs = new QCheckBox(ControlText(1009), this);
    m_subdirs->setObjectName(QStringLiteral("WithSubdirs"));
    m_subdirs->setChecked(shown.WithSubdirs != 0);
    buildControls();
}

QPushButton *CDlgNeuAen::browseButton(int controlId, const char *name)
{
    QPushButton *button = CreateBrowseButton(controlId, this);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

void CDlgNeuAen::buildControls()
{
    QPushButton *browseSource = browseButton(1005, "BrowseSource");
    QPushButton *browseTarget = browseButton(1007, "BrowseTarget");
    connect(browseSource, &QPushButton::clicked, this, &CDlgNeuAen::OnBrowseSource);
    connect(browseTarget, &QPushButton::clicked, this, &CDlgNeuAen::OnBrowseTarget);

    auto *fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->setVerticalSpacing(6);
    fields->addWidget(new QLabel(LoadStr(GuiText::LabelSourceDir), this), 0, 0);
    fields->addWidget(m_source, 0, 1);
    fields->addWidget(browseSource, 0, 2);
    fields->addWidget(new QLabel(LoadStr(GuiText::LabelTargetDir), this), 1, 0);
    fields->addWidget(m_target, 1, 1);
    fields->addWidget(browseTarget, 1, 2);
    fields->addWidget(m_active, 2, 1);
    fields->addWidget(m_subdirs, 3, 1);
    fields->setColumnStretch(1, 1);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(LoadStr(GuiText::Ok), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    buttons->addButton(LoadStr(kCancelText), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addSpacing(4);
    layout->addWidget(buttons);
    setFixedHeight(sizeHint().height());
}

CListData CDlgNeuAen::Job() const
{
    CListData job;
    job.Active = m_active->isChecked() ? 1 : 0;
    job.WithSubdirs = m_subdirs->isChecked() ? 1 : 0;
    job.SourceDir = m_source->text();
    job.TargetDir = m_target->text();
    return job;
}

void CDlgNeuAen::OnBrowseSource()
{
    browse(*m_source, kSourceTitle);
}

void CDlgNeuAen::OnBrowseTarget()
{
    browse(*m_target, kTargetTitle);
}

void CDlgNeuAen::browse(QLineEdit &edit, int titleId)
{
    QString path = edit.text();
    BrowseForFolder(m_prompts, this, LoadStr(titleId), path);
    edit.setText(path);
}
