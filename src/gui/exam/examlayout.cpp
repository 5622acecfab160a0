// SPDX-License-Identifier: GPL-3.0-or-later

#include "exam/examui.h"

#include "art/windowart.h"
#include "exam/testsheet.h"
#include "results/stars.h"
#include "widgets/countdowngauge.h"
#include "widgets/picturebox.h"
#include "widgets/styledbutton.h"

#include <QCheckBox>
#include <QPainter>
#include <QPainterPath>

namespace wirtal {

ExamText::ExamText(QWidget* parent) : WrappedText(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Narrow above and below, so that an answer box holds two lines of its text.
    setContentsMargins(8, 3, 8, 3);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setColor(tcolor::white);
}

void ExamText::setColor(int c) {
    color_ = c;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, toQColor(c));
    pal.setColor(QPalette::WindowText, QColor(20, 30, 50));
    setPalette(pal);
}

namespace {

constexpr int margin = 15;
constexpr int rightX = 520;
constexpr int rightW = 404;

StyledButton* button(QWidget* parent, const QString& name, const QString& caption,
                     const QRect& geometry, int pointSize = 0) {
    auto* b = new StyledButton(caption, parent);
    b->setObjectName(name);
    b->setAccessibleName(caption.trimmed());
    b->setGeometry(geometry);
    if (pointSize)
        b->setCaptionPointSize(pointSize);
    return b;
}

QLabel* label(QWidget* parent, const QString& name, const QRect& geometry, int pointSize, bool bold,
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setGeometry(geometry);
    l->setAlignment(align);
    QFont f = l->font();
    f.setPointSize(pointSize);
    f.setBold(bold);
    l->setFont(f);
    return l;
}

ExamText* memo(QWidget* parent, const QString& name, const QRect& geometry, int pointSize) {
    auto* m = new ExamText(parent);
    m->setObjectName(name);
    m->setGeometry(geometry);
    m->setPointSizes(pointSize, 9);
    return m;
}

void buildQuestionPanels(QWidget* page, ExamUi& ui) {
    const QRect area(margin, 388, 480, 250);
    ui.yesNoPanel = new QWidget(page);
    ui.yesNoPanel->setObjectName(QStringLiteral("paneltaknietest"));
    ui.yesNoPanel->setGeometry(area);
    ui.yesNoQuestion =
        memo(ui.yesNoPanel, QStringLiteral("memopytanietaknietest"), QRect(0, 0, 480, 170), 12);
    ui.yesButton = button(ui.yesNoPanel, QStringLiteral("Taktest"), QStringLiteral("TAK"),
                          QRect(80, 186, 150, 56), 13);
    ui.noButton = button(ui.yesNoPanel, QStringLiteral("Nietest"), QStringLiteral("NIE"),
                         QRect(250, 186, 150, 56), 13);
    for (StyledButton* b : {ui.yesButton, ui.noButton})
        b->setBadge(QStringLiteral("Prawidłowa"), 65280 /* lime */);

    ui.abcPanel = new QWidget(page);
    ui.abcPanel->setObjectName(QStringLiteral("panelabctest"));
    ui.abcPanel->setGeometry(area);
    ui.abcQuestion =
        memo(ui.abcPanel, QStringLiteral("memopytanieabctest"), QRect(0, 0, 480, 86), 11);
    const QString letters[] = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
    StyledButton** buttons[] = {&ui.aButton, &ui.bButton, &ui.cButton};
    ExamText** texts[] = {&ui.answerTextA, &ui.answerTextB, &ui.answerTextC};
    const QString textNames[] = {QStringLiteral("memoodpatest"), QStringLiteral("memoodpbtest"),
                                 QStringLiteral("memoodpctest")};
    for (int i = 0; i < 3; ++i) {
        const int y = 94 + i * 52;
        *buttons[i] = button(ui.abcPanel, letters[i] + QStringLiteral("test"), letters[i],
                             QRect(0, y, 52, 46), 13);
        *texts[i] = memo(ui.abcPanel, textNames[i], QRect(60, y, 420, 46), 10);
    }
    ui.abcPanel->hide();
}

void buildDisplay(QWidget* page, ExamUi& ui) {
    auto* panel = new QWidget(page);
    panel->setObjectName(QStringLiteral("Panel2"));
    panel->setGeometry(margin, margin, 480, 360);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, Qt::black);
    panel->setPalette(pal);
    panel->hide();
    auto* picture = new PictureBox(page);
    picture->setObjectName(QStringLiteral("ImageTest2"));
    picture->setGeometry(margin, margin, 480, 360);
    picture->setAccessibleName(QStringLiteral("Obraz pytania"));
    ui.display.filmPanel = panel;
    ui.display.picture = picture;
}

void buildControls(QWidget* page, ExamUi& ui) {
    ui.newTest = button(page, QStringLiteral("nowytest"), QStringLiteral("Nowy Test"),
                        QRect(rightX, 18, 180, 58), 13);
    ui.newTest->setBadge(QStringLiteral("Test w toku... "), tcolor::badgeOrange);
    ui.stars = new StarsPanel(page);
    ui.stars->move(rightX + 190, 52);
    auto* starsCaption =
        label(page, QStringLiteral("starscaption"), QRect(rightX + 190, 24, 110, 22), 8, false);
    starsCaption->setText(QStringLiteral("Ostatnie testy"));

    ui.minutesLabel = label(page, QStringLiteral("labelmin"), QRect(rightX + 300, 22, 46, 48), 24,
                            true, Qt::AlignRight | Qt::AlignVCenter);
    ui.colonLabel = label(page, QStringLiteral("dwukropeklabel"), QRect(rightX + 346, 22, 12, 48),
                          24, true, Qt::AlignCenter);
    ui.secondsLabel =
        label(page, QStringLiteral("labelsec"), QRect(rightX + 358, 22, 46, 48), 24, true);
    ui.minutesLabel->setText(QString::number(examClockMinutes));
    ui.colonLabel->setText(QStringLiteral(":"));
    ui.secondsLabel->setText(QString::number(examClockSeconds));
    // The digits are the labels' names, so a screen reader says the time left; what they are
    // is their description.
    ui.minutesLabel->setAccessibleDescription(QStringLiteral("Minuty do końca testu"));
    ui.secondsLabel->setAccessibleDescription(QStringLiteral("Sekundy do końca testu"));
    ui.colonLabel->setAccessibleName(QStringLiteral("Czas do końca testu"));

    ui.gauge = new CountdownGauge(page);
    ui.gauge->setObjectName(QStringLiteral("AdvSmoothGauge1"));
    ui.gauge->setGeometry(rightX, 90, 176, 176);
    ui.gauge->setAccessibleName(QStringLiteral("Czas na odpowiedź"));

    ui.pointsLabel = label(page, QStringLiteral("pktylabel"), QRect(rightX + 192, 96, 212, 36), 16,
                           true, Qt::AlignCenter);
    ui.pointsLabel->setAccessibleDescription(QStringLiteral("Punkty za pytanie")); // named "3 pkt"
    ui.nextButton = button(page, QStringLiteral("NextTestButton"), QStringLiteral("  Dalej"),
                           QRect(rightX + 192, 142, 212, 58), 13);
    ui.nextButton->setPicture(pictures::forwardArrow());
    ui.stopTest = button(page, QStringLiteral("koniec"), QStringLiteral("Przerwij"),
                         QRect(rightX + 192, 210, 212, 46), 11);

    // The 32 number buttons, eight to a row.
    constexpr int cols = 8, w = 45, h = 36, gap = 7;
    for (int k = 1; k <= slotCount; ++k) {
        const int col = (k - 1) % cols, row = (k - 1) / cols;
        auto* b = button(page, QStringLiteral("AdvSmoothButton%1").arg(41 + k), QString::number(k),
                         QRect(rightX + col * (w + gap), 282 + row * (h + gap), w, h), 10);
        b->setAccessibleName(QStringLiteral("Pytanie %1").arg(k));
        b->setBadge(QString(), 10092543);
        ui.numbers[k] = b;
    }

    ui.resultLine = label(page, QStringLiteral("Label2"), QRect(rightX, 456, rightW, 48), 12, true,
                          Qt::AlignCenter);
    ui.resultLine->setWordWrap(true);
    ui.reviewHint = label(page, QStringLiteral("Label4"), QRect(rightX, 506, rightW, 24), 9, false,
                          Qt::AlignCenter);
    ui.reviewHint->setText(QStringLiteral("Kliknij na numery pytań, aby przejrzeć odpowiedzi."));
    ui.reviewHint->hide();

    ui.reportPanel = new QWidget(page);
    ui.reportPanel->setObjectName(QStringLiteral("raportpanel"));
    ui.reportPanel->setGeometry(rightX, 530, rightW, 72);
    auto* reportCaption = label(ui.reportPanel, QStringLiteral("raportcaption"),
                                QRect(0, 0, rightW, 20), 9, true, Qt::AlignLeft | Qt::AlignVCenter);
    reportCaption->setText(QStringLiteral("Raport z testu:"));
    ui.printButton = button(ui.reportPanel, QStringLiteral("AdvSmoothButton23"),
                            QStringLiteral("Drukuj"), QRect(0, 22, 196, 46), 11);
    ui.saveButton = button(ui.reportPanel, QStringLiteral("AdvSmoothButton76"),
                           QStringLiteral("Zapisz"), QRect(208, 22, 196, 46), 11);
    ui.reportPanel->hide();

    ui.rulesButton =
        button(page, QStringLiteral("AdvSmoothButton80"), QStringLiteral("zasady egzaminu..."),
               QRect(rightX + rightW - 150, 610, 150, 30), 9);
    ui.rulesButton->setToolTip(QStringLiteral("Pomoc"));

    // The language of the whole test, chosen before its draw; shown only where the category's
    // questions carry English texts.
    ui.englishBox = new QCheckBox(QStringLiteral("Test po angielsku"), page);
    ui.englishBox->setObjectName(QStringLiteral("angielskitest"));
    ui.englishBox->setGeometry(rightX, 610, rightW - 160, 30);
    ui.englishBox->setToolTip(QStringLiteral(
        "Pytania następnego testu po angielsku (język wybiera się przed losowaniem)"));
    ui.englishBox->hide();
}

} // namespace

ExamUi buildExamUi(QWidget* page) {
    ExamUi ui;
    buildDisplay(page, ui);
    buildQuestionPanels(page, ui);
    buildControls(page, ui);
    return ui;
}

} // namespace wirtal
