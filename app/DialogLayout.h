#pragma once

#include <QByteArray>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

// One control of a dialog layout; positions in dialog units.
struct ControlTemplate {
    int id = -1;  // -1 for controls that no code addresses
    QString kind; // "button", "groupbox", "static", "edit", "picture"
    QString text;
    QRect rect;
    QStringList style;
    int bitmap = 0; // pictures only

    bool has(const char *flag) const { return style.contains(QLatin1String(flag)); }
};

// A dialog layout of the language module, as data: title, size in dialog units, font,
// window style and the controls in layout order, which is also the Tab order.
struct DialogLayout {
    int id = 0;
    QString title;
    QSize size;
    QString fontFamily;
    int fontPoints = 0;
    QStringList style;
    QVector<ControlTemplate> controls;

    bool has(const char *flag) const { return style.contains(QLatin1String(flag)); }

    // Empty when the text is not a well-formed layout.
    static std::optional<DialogLayout> FromJson(const QByteArray &json);
};
