#include "orbHostProperty.h"

orbHostProperty::orbHostProperty(QObject *parent)
    : QObject(parent)
{
}

void orbHostProperty::setTranslator(QObject *translator)
{
    if (translator == m_translator)
        return;
    disconnect(m_destroyedConnection);
    m_translator = translator;
    // Bindings on "translator" must learn of its death, not keep a dangling name.
    if (translator)
        m_destroyedConnection = connect(translator, &QObject::destroyed, this, [this] {
            m_translator = nullptr;
            emit translatorChanged();
        });
    emit translatorChanged();
}

void orbHostProperty::setTranslatorType(int type)
{
    if (type == m_translatorType)
        return;
    m_translatorType = type;
    emit translatorTypeChanged();
}
