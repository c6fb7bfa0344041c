#pragma once

#include <QLocale>

namespace polvane {

// The program's default locale for the life of a test scope: the number boxes must read
// alike under each of these.
class TypingLocale {
public:
    explicit TypingLocale(const QLocale& locale) : previous_(QLocale()) { QLocale::setDefault(locale); }
    TypingLocale(const TypingLocale&) = delete;
    TypingLocale& operator=(const TypingLocale&) = delete;
    ~TypingLocale() { QLocale::setDefault(previous_); }

    // A German desktop (decimal comma) and a plain one.
    static QLocale German() { return QLocale(QLocale::German, QLocale::Germany); }
    static QLocale Plain() { return QLocale::c(); }

private:
    QLocale previous_;
};

} // namespace polvane
