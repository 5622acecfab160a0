// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/leftmenu.h"
#include "app/navigation.h"
#include "base/inifile.h"
#include "learn/answercheck.h"
#include "learn/answerpanels.h"
#include "learn/learningdisplay.h"
#include "learn/learnpage.h"
#include "learn/msgform.h"
#include "learn/revisionpanel.h"
#include "platform/error.h"
#include "support/appfixture.h"
#include "widgets/picturebox.h"
#include "widgets/styledbutton.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

namespace wirtal::test {

// The learning page of the real main window, with helpers for what a learner does on it.
class LearnFixture : public AppFixture {
protected:
    LearnPage* page() { return window().learnPage(); }
    StyledButton* button(const char* name) { return find<StyledButton>(QString::fromLatin1(name)); }
    QLineEdit* numberEntry() { return find<QLineEdit>(QStringLiteral("numeredit")); }
    QListWidget* list() { return find<QListWidget>(QStringLiteral("dopowtorkilistbox1")); }
    QStringList entries() { return page()->revision()->entries(); }

    // Types text into the number entry (replacing what it held) and presses Enter.
    void typeNumber(const QString& text) {
        numberEntry()->clear();
        QTest::keyClicks(numberEntry(), text);
        QTest::keyClick(numberEntry(), Qt::Key_Return);
    }
    // Goes to a question as a learner does in category B: types it and presses Enter.
    void go(int n) { typeNumber(QString::number(n)); }
    // Clicks an answer button: "TAK", "NIE", "A", "B" or "C".
    void answer(const QString& caption) {
        static const QStringList captions = {QStringLiteral("TAK"), QStringLiteral("NIE"),
                                             QStringLiteral("A"), QStringLiteral("B"),
                                             QStringLiteral("C")};
        const int i = captions.indexOf(caption);
        ASSERT_GE(i, 0) << caption.toStdString();
        auto* b = page()->panels()->button(static_cast<AnswerPanels::Answer>(i));
        ASSERT_TRUE(b->isEnabled());
        b->click();
    }
    // A learning counter of "statsb.ini" as stored ("" when missing).
    QString counter(const char* key, const char* file = "statsb.ini") {
        return readIni(QString::fromLatin1(file), QStringLiteral("nauka"), QString::fromLatin1(key),
                       QString());
    }
    // The stored last question once the event loop has come round to saving it (after the paint).
    QString lastStored(const char* file = "statsb.ini") {
        QCoreApplication::sendPostedEvents();
        return readIni(QString::fromLatin1(file), QStringLiteral("last"), QStringLiteral("pytanie"),
                       QString());
    }
    // A file in the media folder.
    void media(const QString& name, const QByteArray& bytes) {
        folders.writeProgramFile(QStringLiteral("obrazki_prawko/filmy/") + name, bytes);
    }
    QString mediaFile(const QString& name) const {
        return folders.program() + QStringLiteral("obrazki_prawko/filmy/") + name;
    }
    // Clicks a revision-list entry as the learner does.
    void clickEntry(int row) {
        if (!window().isVisible())
            window().show();
        QListWidget* l = list();
        l->scrollToItem(l->item(row));
        const QRect r = l->visualItemRect(l->item(row));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, r.center());
    }
};

} // namespace wirtal::test
