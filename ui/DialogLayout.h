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
    QString kind; // one of DialogLayout::ControlKinds()
    QString text;
    QRect rect;
    QStringList style;
    int bitmap = 0; // pictures only
    QString format; // date pickers only: the display format, as QDateTime writes it
    QString name;   // the widget's objectName, by which a test or a screen reader finds it

    bool has(const char *flag) const { return style.contains(QLatin1String(flag)); }
};

// A dialog layout of the language module, as data: title, size in dialog units, font,
// window style and the controls in layout order, which is also the Tab order.
struct DialogLayout {
    // What a layout may hold. Anything beyond these is a damaged module: a window far
    // larger than any screen, or a font no dialog uses, would leave the program stuck.
    static constexpr int kMaxUnits = 1024; // dialog units, of a side or a position
    static constexpr int kMinPoints = 6;   // font size
    static constexpr int kMaxPoints = 36;
    static constexpr int kMaxControls = 512;
    static constexpr int kMaxTextLength = 1024;

    int id = 0;
    QString title;
    QSize size;
    QString fontFamily;
    int fontPoints = 0;
    QStringList style;
    QVector<ControlTemplate> controls;

    bool has(const char *flag) const { return style.contains(QLatin1String(flag)); }

    static const QStringList &controlKinds();

    // Reads a layout, refusing anything it does not know: an unknown kind, style flag or
    // member, a duplicate control id, a value out of bounds. Empty with the reason in
    // *error (naming the layout and the control) when the text is not such a layout.
    static std::optional<DialogLayout> fromJson(const QByteArray &json, QString *error = nullptr);
};
