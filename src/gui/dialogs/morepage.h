// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "widgets/cardpage.h"

#include <functional>

namespace wirtal {

class StyledButton;

// The more page "TabSheet11": "Postępy", "Statystyki", "Aktualizacje", "O programie" and
// "Importuj katalog pytań", "Pobierz aktualny katalog".
class MorePage : public CardPage {
    Q_OBJECT
public:
    explicit MorePage(QWidget* parent = nullptr);
    void setHandlers(std::function<void()> statistics, std::function<void()> updates,
                     std::function<void()> oprogramie);
    void setImportHandler(std::function<void()> importuj);
    void setFetchHandler(std::function<void()> pobierz);
    void setProgressHandler(std::function<void()> postepy);

private:
    StyledButton* stats_ = nullptr;
    StyledButton* updates_ = nullptr;
    StyledButton* about_ = nullptr;
    StyledButton* import_ = nullptr;
    StyledButton* fetch_ = nullptr;
    StyledButton* progress_ = nullptr;
};

} // namespace wirtal
