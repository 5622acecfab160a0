// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QTextDocument>
#include <QVariant>

#include <functional>

namespace wirtal {

// A text document that opens nothing by itself. Qt's own document, and its picture handler
// after it, read any resource nobody answers for straight from a file the markup names (a plain
// path, a relative name, a file: address): a page or a template naming /dev/zero would be read
// without end, one naming another file would have it opened. This document asks its resolver
// only; a picture is decoded here, and what is left unanswered, or is no picture, becomes an
// empty value of its kind (a transparent 1 x 1 picture, an empty text).
class QuietDocument : public QTextDocument {
public:
    using Resolver = std::function<QVariant(int type, const QUrl& name)>;
    explicit QuietDocument(Resolver resolver = {}, QObject* parent = nullptr)
        : QTextDocument(parent), resolver_(std::move(resolver)) {}

    // The empty value of a resource type.
    static QVariant nothing(int type);

protected:
    QVariant loadResource(int type, const QUrl& name) override;

private:
    Resolver resolver_;
};

} // namespace wirtal
