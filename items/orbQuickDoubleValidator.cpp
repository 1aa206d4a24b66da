#include "orbQuickDoubleValidator.h"

orbQuickDoubleValidator::orbQuickDoubleValidator(QObject *parent)
    : QDoubleValidator(parent)
{
}

QValidator::State orbQuickDoubleValidator::validate(QString &input, int &pos) const
{
    const QChar decimalPoint = locale().decimalPoint();
    input.replace(QLatin1Char(','), decimalPoint);
    input.replace(QLatin1Char('.'), decimalPoint);
    return QDoubleValidator::validate(input, pos);
}
