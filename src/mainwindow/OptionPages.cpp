#include "mainwindow/OptionPages.h"

#include "mainwindow/CZelvaronDoc.h"
#include "mainwindow/PageSet.h"
#include "mainwindow/PageUserPrompts.h"

#include <memory>

QList<IOptionPage *> CreateOptionPages(const OptionPageContext &context)
{
    return ui::CreatePages(
        {context.Doc.Project(), std::make_shared<ui::CUserPagePrompts>(context.Prompts), context.StartRetryRun});
}
