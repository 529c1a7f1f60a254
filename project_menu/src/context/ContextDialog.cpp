#include "context/ContextDialog.h"

#include "audio/Sound.h"
#include "engine/Qel.h"
#include "language/Language.h"
#include "resource/ResourceManager.h"

QEL_IMPLEMENT_RUNTIME_CLASS(ContextDialog, Context::runtimeClass(), QEL_CREATOR(ContextDialog));

ContextDialog::ContextDialog()
    : buttonAText(g_qel->language != nullptr ? g_qel->language->getText(Language::OK) : "")
{
    bDeleteWhenFinished = 1;
}

int ContextDialog::countButtons() const
{
    return (buttonAText.empty() ? 0 : 1) + (buttonBText.empty() ? 0 : 1);
}

void ContextDialog::setAnswer(int value)
{
    if (answer != nullptr) {
        *answer = value;
    }
}

void ContextDialog::build()
{
    setAnswer(-1);
    // With one button or none any skip input closes the dialog.
    if (countButtons() < 2) {
        bSkippable = 1;
    }
}

void ContextDialog::activate(bool firstTime)
{
    if (firstTime) {
        static_cast<Sound*>(g_qel->resourceManager->find("pop", true))->playAtFrequency(1.0f);
    }
}

void ContextDialog::tickContents(double time, double dt)
{
    Context::tickContents(time, dt);
}

void ContextDialog::renderContents()
{
    // A dialog alone on the stack has nothing below it to show.
    if (prev != nullptr) {
        static_cast<Context*>(prev)->draw();
    }
    Context::renderContents();
}
