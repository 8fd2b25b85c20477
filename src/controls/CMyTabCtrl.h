#pragma once

#include <QTabWidget>

// The tab control of the option pages: each tab shows one page, named by the page's window
// title, with the tab image of its index.
class CMyTabCtrl : public QTabWidget {
public:
    explicit CMyTabCtrl(QWidget *parent = nullptr);

    // Appends a tab for `page`; returns its index.
    int AddPage(QWidget *page);
    // Selects tab `index` (-1: the current tab) and gives its page the keyboard focus.
    void ShowPage(int index);
};
