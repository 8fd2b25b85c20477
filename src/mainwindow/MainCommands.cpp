#include "mainwindow/MainCommands.h"

#include "controls/GuiTexts.h"
#include "mainwindow/CommandIds.h"

namespace {

QList<MainCommand> buildCommands()
{
    using namespace CommandId;
    using Icon = AppIcons::Id;
    QList<MainCommand> commands = {
        {FileNew, GuiText::ItemNew, GuiText::PromptNew, {QKeySequence(Qt::CTRL | Qt::Key_N)}, Icon::New},
        {FileOpen, GuiText::ItemOpen, GuiText::PromptOpen, {QKeySequence(Qt::CTRL | Qt::Key_O)}, Icon::Open},
        {FileSave, GuiText::ItemSave, GuiText::PromptSave, {QKeySequence(Qt::CTRL | Qt::Key_S)}, Icon::Save},
        {FileSaveAs, GuiText::ItemSaveAs, GuiText::PromptSaveAs, {}, std::nullopt},
        {Parameter, GuiText::ItemParameter, GuiText::PromptParameter, {}, std::nullopt},
        {AppExit, GuiText::ItemExit, GuiText::PromptExit, {}, std::nullopt},
        {EditUndo, GuiText::ItemUndo, GuiText::PromptUndo,
         {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)}, std::nullopt},
        {EditCut, GuiText::ItemCut, GuiText::PromptCut,
         {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)}, Icon::Cut},
        {EditCopy, GuiText::ItemCopy, GuiText::PromptCopy,
         {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)}, Icon::Copy},
        {EditPaste, GuiText::ItemPaste, GuiText::PromptPaste,
         {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)}, Icon::Paste},
        {Run, GuiText::ItemRun, Run, {}, Icon::Run},
        {RetryRun, GuiText::ItemRetryRun, GuiText::PromptRetryRun, {}, Icon::RetryRun},
    };
    const int pages[] = {PageOption, PagePruefdatei, PageMuster, PageDatum, PageDateien, PageZip, PageUnzip};
    for (int tab = 0; tab < 7; ++tab)
        commands.append({pages[tab], GuiText::ItemPageOption + tab, GuiText::PromptPageOption + tab, {}, std::nullopt, tab});
    commands.append({ViewToolbar, GuiText::ItemToolbar, GuiText::PromptToolbar, {}, std::nullopt});
    commands.append({ViewStatusBar, GuiText::ItemStatusBar, GuiText::PromptStatusBar, {}, std::nullopt});
    return commands;
}

} // namespace

const QList<MainCommand> &MainCommands()
{
    static const QList<MainCommand> commands = buildCommands();
    return commands;
}

const MainCommand *FindMainCommand(int id)
{
    for (const MainCommand &command : MainCommands()) {
        if (command.Id == id)
            return &command;
    }
    return nullptr;
}

QList<int> ToolbarCommands()
{
    using namespace CommandId;
    return {FileNew, FileOpen, FileSave, 0, EditCut, EditCopy, EditPaste, 0, Run, RetryRun};
}
