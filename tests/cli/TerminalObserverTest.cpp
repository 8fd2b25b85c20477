#include "cli/TerminalObserver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string contentOf(std::FILE *file)
{
    std::fflush(file);
    std::rewind(file);
    std::string text;
    char buffer[256];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, n);
    return text;
}

CProgressData message(MessageKind kind, const QString &text)
{
    CProgressData r;
    r.Pane = 0;
    r.Kind = kind;
    r.MessageText = text;
    return r;
}

} // namespace

TEST(TerminalObserver, PrintsEveryMessageAsOneLineAndCountsErrors)
{
    std::FILE *out = std::tmpfile();
    std::FILE *status = std::tmpfile();
    ASSERT_TRUE(out && status);
    TerminalObserver observer(out, status, 1, TerminalObserver::StatusLines::Auto);
    observer.OnMessageEvent(message(MessageKind::Information, QStringLiteral("Starte Job 0\r\n")));
    observer.OnMessageEvent(message(MessageKind::Error, QStringLiteral("Fehler ä\r\n\r\n")));
    observer.OnMessageEvent(message(MessageKind::SkipCounters, QString()));
    CProgressData pane;
    pane.Pane = 0;
    pane.Mask = UPD_ACT_COPY;
    observer.OnPaneEvent(pane);

    EXPECT_EQ(contentOf(out), "Starte Job 0\nFehler ä\n");
    EXPECT_EQ(observer.ErrorLines(), 1);
    EXPECT_EQ(contentOf(status), "") << "status lines are drawn only on a terminal";
    std::fclose(out);
    std::fclose(status);
}
