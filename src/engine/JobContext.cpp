#include "engine/JobContext.h"

#include "engine/RunContext.h"

JobContext::JobContext(RunContext &run, const CListData *job, int jobIndex, int pane)
    : Run(run)
    , Job(job)
    , JobIndex(jobIndex)
    , JobStart(QDateTime::currentDateTime())
{
    Record.Pane = pane;
}

void JobContext::Error(const QString &text)
{
    ++Record.ErrorCount;
    Run.SendMessage(Record, MessageKind::Error, text);
}

void JobContext::ErrorLogged(const QString &text)
{
    Error(text);
    Log.WriteLine(text);
}

void JobContext::Info(const QString &text)
{
    Run.SendMessage(Record, MessageKind::Information, text);
}

void JobContext::InfoLogged(const QString &text)
{
    Info(text);
    Log.WriteLine(text);
}

void JobContext::Pane(quint64 mask)
{
    Run.SendPane(Record, mask);
}

bool JobContext::IsCancelled() const
{
    return Run.IsCancelled();
}
