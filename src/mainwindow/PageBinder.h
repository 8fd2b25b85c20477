#pragma once

#include <QAbstractButton>
#include <QLineEdit>
#include <QSignalBlocker>

#include <functional>
#include <utility>
#include <vector>

namespace ui {

// Binds the check boxes and text fields of a page to the fields of its option group. A control
// writes its field as soon as it changes, so the group always holds what the page shows;
// ShowAll puts the group's values into the controls without the controls reporting a change.
template <class Group>
class CPageBinder {
public:
    explicit CPageBinder(std::function<Group &()> group)
        : m_group(std::move(group))
    {
    }

    void Check(QAbstractButton &box, qint32 Group::*field)
    {
        QObject::connect(&box, &QAbstractButton::toggled, &box,
                         [this, field](bool on) { m_group().*field = on ? 1 : 0; });
        m_bindings.push_back({&box, [this, &box, field] { box.setChecked((m_group().*field) != 0); },
                              [this, &box, field] { m_group().*field = box.isChecked() ? 1 : 0; }});
    }

    void Text(QLineEdit &edit, QString Group::*field)
    {
        QObject::connect(&edit, &QLineEdit::textChanged, &edit,
                         [this, field](const QString &text) { m_group().*field = text; });
        m_bindings.push_back({&edit, [this, &edit, field] { edit.setText(m_group().*field); },
                              [this, &edit, field] { m_group().*field = edit.text(); }});
    }

    void ShowAll() const
    {
        for (const Binding &binding : m_bindings) {
            const QSignalBlocker blocker(binding.Control);
            binding.Show();
        }
    }

    void TakeAll() const
    {
        for (const Binding &binding : m_bindings)
            binding.Take();
    }

private:
    struct Binding {
        QObject *Control;
        std::function<void()> Show;
        std::function<void()> Take;
    };

    std::function<Group &()> m_group;
    std::vector<Binding> m_bindings;
};

} // namespace ui
