#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

namespace wirtal {

struct AppContext;

// The learning page "TabSheet2": the question browser, answer checking and the revision list.
class LearnPage : public QWidget {
    Q_OBJECT
public:
    explicit LearnPage(AppContext& ctx, QWidget* parent = nullptr);

    // The question number "numer" (0..1479, clamped); a change shows that question. With
    // evenIfSame the question is shown also when the number did not change.
    void showQuestion(int n, bool evenIfSame);
    int numer() const { return numer_; }
    // The text of the number entry "numeredit".
    void setNumberEntry(int n);
    // What the category choice clears on the page; the label reads labelText.
    void clearForCategory(const QString& labelText);
    // Loads the current category's revision list; saves it ("savebox").
    void loadRevisionList();
    void savebox();
    // Back in learning mode: the learning film plays again from its start.
    void resumeFilm();

private:
    void numerChange(int n);

    AppContext& ctx_;
    int numer_ = 0;
    QLabel* label1_ = nullptr;
    QLineEdit* numeredit_ = nullptr;
};

} // namespace wirtal
