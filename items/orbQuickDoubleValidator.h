#pragma once

#include <QtGui/QDoubleValidator>

// A double validator that takes both "," and "." as the decimal separator: the
// input is rewritten to the locale's own separator before it is validated.
class orbQuickDoubleValidator : public QDoubleValidator
{
    Q_OBJECT

public:
    explicit orbQuickDoubleValidator(QObject *parent = nullptr);

    State validate(QString &input, int &pos) const override;
};
