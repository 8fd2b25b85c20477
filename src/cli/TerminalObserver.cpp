#include "cli/TerminalObserver.h"

#include "platform/Terminal.h"

#include <QDateTime>

namespace {

constexpr quint32 kRedrawIntervalMs = 100;

QString withoutTrailingBreaks(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && (text[end - 1] == u'\r' || text[end - 1] == u'\n'))
        --end;
    return text.left(end);
}

void put(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

} // namespace

TerminalObserver::TerminalObserver(std::FILE *messages, std::FILE *status, int threadCount,
                                   StatusLines mode)
    : m_messages(messages)
    , m_status(status)
    , m_live(mode == StatusLines::Auto && platform::IsTerminal(status))
    , m_threadCount(threadCount)
{
}

void TerminalObserver::OnPaneEvent(const CProgressData &record)
{
    const std::optional<int> index = PaneIndex(record);
    if (!index)
        return;
    std::lock_guard<std::mutex> guard(m_lock);
    PaneEventContext context{CurrentTick(), m_threadCount, QDateTime::currentDateTime()};
    ApplyPaneEvent(m_panes[size_t(*index)], record, context);
    m_paneUsed[size_t(*index)] = true;
    if (!m_live || context.NowTick - m_lastDraw < kRedrawIntervalMs)
        return;
    m_lastDraw = context.NowTick;
    clearStatusLines();
    drawStatusLines();
}

void TerminalObserver::OnMessageEvent(const CProgressData &record)
{
    if (record.MessageText.isEmpty() && record.Kind != MessageKind::Error)
        return;
    std::lock_guard<std::mutex> guard(m_lock);
    if (record.Kind == MessageKind::Error)
        ++m_errorLines;
    if (record.MessageText.isEmpty())
        return;
    clearStatusLines();
    put(m_messages, withoutTrailingBreaks(record.MessageText) + u'\n');
    std::fflush(m_messages);
    drawStatusLines();
}

void TerminalObserver::OnJobStatus(int, const QString &) {}
void TerminalObserver::OnRunProgress(const RunProgress &) {}
void TerminalObserver::OnRunField(RunField, const QString &) {}
void TerminalObserver::OnPlaySound(RunSound) {}
void TerminalObserver::OnRestoreWindows() {}

void TerminalObserver::OnCloseRequest()
{
    std::lock_guard<std::mutex> guard(m_lock);
    clearStatusLines();
}

int TerminalObserver::ErrorLines() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_errorLines;
}

void TerminalObserver::clearStatusLines()
{
    if (!m_live || m_drawnLines == 0)
        return;
    // Move up over the lines drawn last time and erase them.
    for (int i = 0; i < m_drawnLines; ++i)
        std::fputs("\x1b[1A\x1b[2K", m_status);
    std::fputs("\r", m_status);
    m_drawnLines = 0;
    std::fflush(m_status);
}

void TerminalObserver::drawStatusLines()
{
    if (!m_live)
        return;
    for (size_t i = 0; i < m_panes.size(); ++i) {
        if (!m_paneUsed[i])
            continue;
        put(m_status, statusLine(m_panes[i]) + u'\n');
        ++m_drawnLines;
    }
    std::fflush(m_status);
}

QString TerminalObserver::statusLine(const PaneView &pane) const
{
    QStringList parts;
    for (const QString &part : {pane.Action, pane.Count, pane.Percent1, pane.Speed}) {
        if (!part.isEmpty())
            parts << part;
    }
    // A line wider than the terminal would wrap and break the redraw in place.
    return parts.join(QStringLiteral("  ")).left(platform::TerminalColumns(m_status) - 1);
}
