#pragma once

#include "core/randomsource.h"
#include "ui/common/look.h"
#include "ui/main/form1.h"
#include "ui/toolkit/windowdrag.h"
#include "ui/wording/translations.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

// The main window shown and active, saving into a folder of its own; its
// controls found by name and clicked through the window, as a user's clicks go.
// It speaks Russian, as in the C locale, or English where the test row's name
// begins with "en:", as on an English desktop.
class ShownForm
{
protected:
    static void setUpLook()
    {
        Look::install(*qApp);
        WindowDrag::setSystemMoveEnabled(false);
    }
    bool showForm(std::unique_ptr<RandomSource> random)
    {
        const bool english = QByteArray(QTest::currentDataTag()).startsWith("en:");
        m_translations = std::make_unique<Translations>(QLocale(english ? QLocale::English : QLocale::C));
        m_translations->install();
        m_form = std::make_unique<Form1>(std::move(random));
        m_folder = std::make_unique<QTemporaryDir>();
        m_form->setLogFolders(m_folder->path(), m_folder->path());
        m_form->show();
        m_form->activateWindow();
        return QTest::qWaitForWindowExposed(m_form.get()) && QTest::qWaitForWindowActive(m_form.get());
    }
    void closeForm()
    {
        m_form.reset();
        m_folder.reset();
        m_translations.reset();
    }
    template <typename T = QWidget> T *control(const char *name) const
    {
        auto *widget = m_form->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QString text(const char *name) const { return control<QLineEdit>(name)->text(); }
    QWindow *window() const { return m_form->windowHandle(); }
    QPoint centreOf(const char *name) const
    {
        QWidget *widget = control(name);
        return widget->mapTo(m_form.get(), widget->rect().center());
    }
    void clickAt(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(window(), button, Qt::NoModifier, at);
        QTest::mouseRelease(window(), button, Qt::NoModifier, at);
    }
    void click(const char *name, Qt::MouseButton button = Qt::LeftButton) { clickAt(centreOf(name), button); }

    std::unique_ptr<Translations> m_translations;
    std::unique_ptr<Form1> m_form;
    std::unique_ptr<QTemporaryDir> m_folder;
};
