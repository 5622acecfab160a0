// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>

namespace wirtal {

// The date and time of day, for the report.
class WallClock {
public:
    virtual ~WallClock() = default;
    virtual QDateTime now() const = 0;
};

class SystemWallClock final : public WallClock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class FixedWallClock final : public WallClock {
public:
    explicit FixedWallClock(QDateTime t) : t_(std::move(t)) {}
    QDateTime now() const override { return t_; }

private:
    QDateTime t_;
};

} // namespace wirtal
