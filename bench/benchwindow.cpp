#include "core/nicklist.h"
#include "benchwindow.h"

#include "processmemory.h"

#include "platform/generationtimer.h"
#include "ui/list/nicklistbox.h"
#include "ui/main/form1.h"
#include "ui/toolkit/messagebox.h"
#include "ui/toolkit/textbox.h"

#include <QDir>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace {
BenchWindow *measuredWindow = nullptr;
BenchWindow *referenceWindow = nullptr;

template <typename T> T *control(Form1 &form, const char *name)
{
    auto *found = form.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}
} // namespace

BenchWindow::BenchWindow(Role role)
    : m_role(role), m_folder(QDir::current().filePath(QStringLiteral("quillmark-bench-XXXXXX")))
{
    // A message box would wait for a user; note it instead and carry on.
    MessageBox::setPresenter([message = m_lastMessage](QWidget *, const QString &text, const QString &,
                                                       MessageBox::Style) { *message = text; });

    m_form = std::make_unique<Form1>();
    m_list = control<NickListBox>(*m_form, "List");
    m_timer = control<GenerationTimer>(*m_form, "Timer1");
    m_interval = control<TextBox>(*m_form, "Text2");
    m_counter = control<TextBox>(*m_form, "Text4");
    m_form->setLogFolders(m_folder.path(), m_folder.path());
    m_form->show();
    if (!QTest::qWaitForWindowExposed(m_form.get()))
        qFatal("the main window was never shown");
    m_form->activateWindow();

    m_paints.watch(m_counter);
    m_paints.watch(m_list->viewport());
    m_paints.watch(m_list->verticalScrollBar());
    Measure::runEventLoopFor(50);
    m_residentAtStart = Measure::residentBytes();
    m_heapAtStart = heapInUse();
    (role == Role::Measured ? measuredWindow : referenceWindow) = this;
}

BenchWindow::~BenchWindow()
{
    (m_role == Role::Measured ? measuredWindow : referenceWindow) = nullptr;
    MessageBox::setPresenter({});
}

BenchWindow &BenchWindow::measured()
{
    Q_ASSERT(measuredWindow);
    return *measuredWindow;
}

BenchWindow &BenchWindow::reference()
{
    Q_ASSERT(referenceWindow);
    return *referenceWindow;
}

QPushButton &BenchWindow::button(const char *name)
{
    return *control<QPushButton>(*m_form, name);
}

void BenchWindow::fillTo(qsizetype entries)
{
    char16_t nick[6];
    while (m_list->count() < entries) {
        // xorshift32: cheap letters, so the fill costs what the list costs.
        m_seed ^= m_seed << 13;
        m_seed ^= m_seed >> 17;
        m_seed ^= m_seed << 5;
        quint32 bits = m_seed;
        for (char16_t &letter : nick) {
            letter = char16_t(u'A' + bits % 26);
            bits /= 26;
        }
        m_list->model()->append(QStringView(nick, 6));
    }
    QCoreApplication::processEvents();
}
