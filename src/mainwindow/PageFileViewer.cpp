#include "mainwindow/PageFileViewer.h"

#include "engine/CUtil.h"
#include "mainwindow/PageTexts.h"
#include "model/RetryListReader.h"
#include "platform/LastError.h"
#include "platform/ReadWholeFile.h"
#include "resources/Strings.h"

#include <QFile>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>


namespace ui {

namespace {

constexpr int kWidth = 900;
constexpr int kHeight = 600;

bool startsWithUtf8Mark(const QByteArray &bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF");
}

bool startsWithUtf16Mark(const QByteArray &bytes)
{
    return bytes.size() >= 2 && uchar(bytes[0]) == 0xFF && uchar(bytes[1]) == 0xFE;
}

} // namespace

QString DecodeRecordFile(const QByteArray &bytes)
{
    if (startsWithUtf8Mark(bytes))
        return QString::fromUtf8(bytes.mid(3));
    if (!startsWithUtf16Mark(bytes) && !bytes.contains('\0'))
        return QString::fromUtf8(bytes);
    return model::DecodeUtf16Le(bytes);
}

std::optional<model::FileError> ReadRecordFile(const QString &path, QString &text)
{
    QByteArray bytes;
    if (!platform::ReadWholeFile(path, &bytes))
        return model::FileError{path, platform::LastError()};
    text = DecodeRecordFile(bytes);
    return std::nullopt;
}

CFileViewer::CFileViewer(const QString &path, const QString &text, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_view(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("FileViewer"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(path);
    m_view->setObjectName(QStringLiteral("FileViewerText"));
    m_view->setReadOnly(true);
    m_view->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(u'\r', u'\n');
    m_view->setPlainText(lines);

    auto *close = new QPushButton(LoadStr(PageText::Close), this);
    close->setObjectName(QStringLiteral("FileViewerClose"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addLayout(buttons);
    resize(kWidth, kHeight);
}

QString CFileViewer::Text() const
{
    return m_view->toPlainText();
}

CFileViewer *OpenFileViewer(QWidget *parent, const QString &path, std::optional<model::FileError> &error)
{
    error.reset();
    if (!CUtil::PathExists(path))
        return nullptr;
    QString text;
    error = ReadRecordFile(path, text);
    if (error)
        return nullptr;
    auto *viewer = new CFileViewer(path, text, parent);
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    return viewer;
}

} // namespace ui
