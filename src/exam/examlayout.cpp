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

ExamMemo::ExamMemo(QWidget* parent) : WrappedText(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Narrow above and below, so that an answer box holds two lines of its text.
    setContentsMargins(8, 3, 8, 3);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setColor(tcolor::white);
}

void ExamMemo::setColor(int c) {
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

ExamMemo* memo(QWidget* parent, const QString& name, const QRect& geometry, int pointSize) {
    auto* m = new ExamMemo(parent);
    m->setObjectName(name);
    m->setGeometry(geometry);
    m->setPointSizes(pointSize, 9);
    return m;
}

void buildQuestionPanels(QWidget* page, ExamUi& ui) {
    const QRect area(margin, 388, 480, 250);
    ui.paneltaknietest = new QWidget(page);
    ui.paneltaknietest->setObjectName(QStringLiteral("paneltaknietest"));
    ui.paneltaknietest->setGeometry(area);
    ui.memopytanietaknietest = memo(ui.paneltaknietest, QStringLiteral("memopytanietaknietest"),
                                    QRect(0, 0, 480, 170), 12);
    ui.Taktest = button(ui.paneltaknietest, QStringLiteral("Taktest"), QStringLiteral("TAK"),
                        QRect(80, 186, 150, 56), 13);
    ui.Nietest = button(ui.paneltaknietest, QStringLiteral("Nietest"), QStringLiteral("NIE"),
                        QRect(250, 186, 150, 56), 13);
    for (StyledButton* b : {ui.Taktest, ui.Nietest})
        b->setBadge(QStringLiteral("Prawidłowa"), 65280 /* lime */);

    ui.panelabctest = new QWidget(page);
    ui.panelabctest->setObjectName(QStringLiteral("panelabctest"));
    ui.panelabctest->setGeometry(area);
    ui.memopytanieabctest =
        memo(ui.panelabctest, QStringLiteral("memopytanieabctest"), QRect(0, 0, 480, 86), 11);
    const QString letters[] = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
    StyledButton** buttons[] = {&ui.Atest, &ui.Btest, &ui.Ctest};
    ExamMemo** memos[] = {&ui.memoodpatest, &ui.memoodpbtest, &ui.memoodpctest};
    const QString memoNames[] = {QStringLiteral("memoodpatest"), QStringLiteral("memoodpbtest"),
                                 QStringLiteral("memoodpctest")};
    for (int i = 0; i < 3; ++i) {
        const int y = 94 + i * 52;
        *buttons[i] = button(ui.panelabctest, letters[i] + QStringLiteral("test"), letters[i],
                             QRect(0, y, 52, 46), 13);
        *memos[i] = memo(ui.panelabctest, memoNames[i], QRect(60, y, 420, 46), 10);
    }
    ui.panelabctest->hide();
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
    ui.nowytest = button(page, QStringLiteral("nowytest"), QStringLiteral("Nowy Test"),
                         QRect(rightX, 18, 180, 58), 13);
    ui.nowytest->setBadge(QStringLiteral("Test w toku... "), tcolor::badgeOrange);
    ui.stars = new StarsPanel(page);
    ui.stars->move(rightX + 190, 52);
    auto* starsCaption =
        label(page, QStringLiteral("starscaption"), QRect(rightX + 190, 24, 110, 22), 8, false);
    starsCaption->setText(QStringLiteral("Ostatnie testy"));

    ui.labelmin = label(page, QStringLiteral("labelmin"), QRect(rightX + 300, 22, 46, 48), 24, true,
                        Qt::AlignRight | Qt::AlignVCenter);
    ui.dwukropeklabel = label(page, QStringLiteral("dwukropeklabel"),
                              QRect(rightX + 346, 22, 12, 48), 24, true, Qt::AlignCenter);
    ui.labelsec =
        label(page, QStringLiteral("labelsec"), QRect(rightX + 358, 22, 46, 48), 24, true);
    ui.labelmin->setText(QString::number(examClockMinutes));
    ui.dwukropeklabel->setText(QStringLiteral(":"));
    ui.labelsec->setText(QString::number(examClockSeconds));
    // The digits are the labels' names, so a screen reader says the time left; what they are
    // is their description.
    ui.labelmin->setAccessibleDescription(QStringLiteral("Minuty do końca testu"));
    ui.labelsec->setAccessibleDescription(QStringLiteral("Sekundy do końca testu"));
    ui.dwukropeklabel->setAccessibleName(QStringLiteral("Czas do końca testu"));

    ui.gauge = new CountdownGauge(page);
    ui.gauge->setObjectName(QStringLiteral("AdvSmoothGauge1"));
    ui.gauge->setGeometry(rightX, 90, 176, 176);
    ui.gauge->setAccessibleName(QStringLiteral("Czas na odpowiedź"));

    ui.pktylabel = label(page, QStringLiteral("pktylabel"), QRect(rightX + 192, 96, 212, 36), 16,
                         true, Qt::AlignCenter);
    ui.pktylabel->setAccessibleDescription(QStringLiteral("Punkty za pytanie")); // named "3 pkt"
    ui.NextTestButton = button(page, QStringLiteral("NextTestButton"), QStringLiteral("  Dalej"),
                               QRect(rightX + 192, 142, 212, 58), 13);
    ui.NextTestButton->setPicture(pictures::forwardArrow());
    ui.koniec = button(page, QStringLiteral("koniec"), QStringLiteral("Przerwij"),
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

    ui.Label2 = label(page, QStringLiteral("Label2"), QRect(rightX, 456, rightW, 48), 12, true,
                      Qt::AlignCenter);
    ui.Label2->setWordWrap(true);
    ui.Label4 = label(page, QStringLiteral("Label4"), QRect(rightX, 506, rightW, 24), 9, false,
                      Qt::AlignCenter);
    ui.Label4->setText(QStringLiteral("Kliknij na numery pytań, aby przejrzeć odpowiedzi."));
    ui.Label4->hide();

    ui.raportpanel = new QWidget(page);
    ui.raportpanel->setObjectName(QStringLiteral("raportpanel"));
    ui.raportpanel->setGeometry(rightX, 530, rightW, 72);
    auto* raportCaption = label(ui.raportpanel, QStringLiteral("raportcaption"),
                                QRect(0, 0, rightW, 20), 9, true, Qt::AlignLeft | Qt::AlignVCenter);
    raportCaption->setText(QStringLiteral("Raport z testu:"));
    ui.drukuj = button(ui.raportpanel, QStringLiteral("AdvSmoothButton23"),
                       QStringLiteral("Drukuj"), QRect(0, 22, 196, 46), 11);
    ui.zapisz = button(ui.raportpanel, QStringLiteral("AdvSmoothButton76"),
                       QStringLiteral("Zapisz"), QRect(208, 22, 196, 46), 11);
    ui.raportpanel->hide();

    ui.zasady =
        button(page, QStringLiteral("AdvSmoothButton80"), QStringLiteral("zasady egzaminu..."),
               QRect(rightX + rightW - 150, 610, 150, 30), 9);
    ui.zasady->setToolTip(QStringLiteral("Pomoc"));

    // The language of the whole test, chosen before its draw; shown only where the category's
    // questions carry English texts.
    ui.angielski = new QCheckBox(QStringLiteral("Test po angielsku"), page);
    ui.angielski->setObjectName(QStringLiteral("angielskitest"));
    ui.angielski->setGeometry(rightX, 610, rightW - 160, 30);
    ui.angielski->setToolTip(QStringLiteral(
        "Pytania następnego testu po angielsku (język wybiera się przed losowaniem)"));
    ui.angielski->hide();
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
