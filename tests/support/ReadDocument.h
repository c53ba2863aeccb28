#pragma once

#include "document/SystemDocument.h"

#include <QByteArray>
#include <QtGlobal>

// A system document the test knows sound; a refusal stops the test with its kind and path.
inline tav::SystemDocument readSoundDocument(const QByteArray &json) {
    tav::DocumentError error;
    const tav::SystemDocument document = tav::SystemDocument::fromJson(json, error);
    if (error.kind != tav::DocumentError::Kind::None)
        qFatal("%s: kind %d at %s", json.constData(), int(error.kind), qPrintable(error.path));
    return document;
}
