#pragma once

// What the editor's window tests share: a program with the fake platform, the editor opened
// from the main window, and ways to read and drive its lists.
#include "app/Kassav.h"
#include "app/Main.h"
#include "editor/Editor.h"
#include "editor/WordList.h"
#include "forms/Forms.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

struct EditorProgram {
    ProgramState state;
    FakePlatform platform;
    Forms forms{state, platform};

    // Pairs written "foreign=estonian".
    void store(const QStringList& pairs) {
        state.WordCount = qint16(pairs.size() - 1);
        for (int k = 0; k < pairs.size(); ++k) {
            state.ForeignWords[k] = pairs[k].section(u'=', 0, 0);
            state.EstonianWords[k] = pairs[k].section(u'=', 1);
        }
    }
    QStringList stored() const {
        QStringList pairs;
        for (int k = 0; k <= state.WordCount; ++k)
            pairs << state.ForeignWords[k] + u'=' + state.EstonianWords[k];
        return pairs;
    }

    // Through the main window's "Editor" button, as the user opens it.
    Editor* open() {
        Main* main = forms.show<Main>();
        click(main->Command1);
        Editor* editor = forms.find<Editor>();
        if (editor)
            (void)QTest::qWaitForWindowExposed(editor);
        return editor;
    }
};

inline QStringList shown(const Editor* editor) {
    QStringList pairs;
    for (int k = 0; k < editor->List1->ListCount(); ++k)
        pairs << editor->List2->List(k) + u'=' + editor->List1->List(k);
    return pairs;
}

inline void clickEntry(WordList* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(list->item(row)).center());
}

inline void enter(QWidget* box) {
    QTest::keyClick(box, Qt::Key_Return);
}

// Foreign word, Enter, Estonian word, Enter: all typed where the focus is.
inline void typePair(Editor* editor, const QString& foreign, const QString& estonian) {
    typeText(editor->focusWidget(), foreign);
    enter(editor->focusWidget());
    typeText(editor->focusWidget(), estonian);
    enter(editor->focusWidget());
}
