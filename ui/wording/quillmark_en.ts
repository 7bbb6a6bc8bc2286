<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>CommandLine</name>
    <message>
        <source>Quillmark — генератор ников</source>
        <translation>Quillmark — nickname generator</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Гласная</source>
        <translation>Vowel</translation>
    </message>
    <message>
        <source>Согласная</source>
        <translation>Consonant</translation>
    </message>
    <message>
        <source>Ники делать тут:</source>
        <translation>Make nicks here:</translation>
    </message>
    <message>
        <source>Сам ник:</source>
        <translation>The nick:</translation>
    </message>
    <message>
        <source>Сам ник</source>
        <translation>The nick itself</translation>
    </message>
    <message>
        <source>Настрой буквы (советую оставить так):</source>
        <translation>Letters (best left as they are):</translation>
    </message>
    <message>
        <source>Первая буква:</source>
        <translation>First letter:</translation>
    </message>
    <message>
        <source>Вторая буква:</source>
        <translation>Second letter:</translation>
    </message>
    <message>
        <source>Третья буква:</source>
        <translation>Third letter:</translation>
    </message>
    <message>
        <source>Четвёртая буква:</source>
        <translation>Fourth letter:</translation>
    </message>
    <message>
        <source>Пятая буква:</source>
        <translation>Fifth letter:</translation>
    </message>
    <message>
        <source>Шестая буква:</source>
        <translation>Sixth letter:</translation>
    </message>
    <message>
        <source>Седьмая буква:</source>
        <translation>Seventh letter:</translation>
    </message>
    <message>
        <source>Восьмая буква:</source>
        <translation>Eighth letter:</translation>
    </message>
    <message>
        <source>Девятая буква:</source>
        <translation>Ninth letter:</translation>
    </message>
    <message>
        <source>Десятая буква:</source>
        <translation>Tenth letter:</translation>
    </message>
    <message>
        <source>Длина ника:</source>
        <translation>Nick length:</translation>
    </message>
    <message>
        <source>Длина генерируемого ника</source>
        <translation>Length of the generated nick</translation>
    </message>
    <message>
        <source>Настрой генератор:</source>
        <translation>Set up the generator:</translation>
    </message>
    <message>
        <source>Интервал добавления (м/c):</source>
        <translation>Interval between nicks (ms):</translation>
    </message>
    <message>
        <source>Записей:</source>
        <translation>Entries:</translation>
    </message>
    <message>
        <source>Интервал между добавлением ников</source>
        <translation>Interval between adding nicks</translation>
    </message>
    <message>
        <source>Показывает сколько уже сгенерировано ников</source>
        <translation>Shows how many nicks have been generated so far</translation>
    </message>
    <message>
        <source>Старт</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Начать генерировать по таймеру</source>
        <translation>Start generating on the timer</translation>
    </message>
    <message>
        <source>Стоп</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Остановить генерацию</source>
        <translation>Stop the generation</translation>
    </message>
    <message>
        <source>Стереть</source>
        <translation>Erase</translation>
    </message>
    <message>
        <source>Очищает список</source>
        <translation>Clears the list</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Сохраняет список в папку с программой</source>
        <translation>Saves the list into the program&apos;s folder</translation>
    </message>
    <message>
        <source>ДЕЛАТЬ</source>
        <translation>MAKE</translation>
    </message>
    <message>
        <source>О ПРОГЕ</source>
        <translation>ABOUT</translation>
    </message>
    <message>
        <source>ПОМОЩЬ</source>
        <translation>HELP</translation>
    </message>
    <message>
        <source>Длиннее: длина ника плюс один</source>
        <translation>Longer: nick length plus one</translation>
    </message>
    <message>
        <source>Короче: длина ника минус один</source>
        <translation>Shorter: nick length minus one</translation>
    </message>
    <message>
        <source>Клавиша: %1</source>
        <extracomment>What a screen reader says after a button&apos;s name: %1 is its key, as the desktop writes it (e.g. Ctrl+N).</extracomment>
        <translation>Key: %1</translation>
    </message>
    <message>
        <source>Новый ник: Ctrl+N</source>
        <translation>New nick: Ctrl+N</translation>
    </message>
    <message>
        <source>Список ников</source>
        <translation>List of nicks</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Quillmark — генератор ников</source>
        <translation>Quillmark — nickname generator</translation>
    </message>
    <message>
        <source>Читай файл !!!PleaseReadMe!!!.html, там обо всём узнаеш.</source>
        <extracomment>When the help page is not beside the program, the folder it is installed into follows on a line of its own (e.g. /usr/share/doc/quillmark).</extracomment>
        <translation>Read the file !!!PleaseReadMe!!!.html, it tells you all about it.</translation>
    </message>
    <message>
        <source>Подсказка...</source>
        <translation>Hint...</translation>
    </message>
    <message>
        <source>Вернуть стёртое</source>
        <translation>Undo Erase</translation>
    </message>
    <message>
        <source>Клавиши: Ctrl+N — новый ник, Ctrl+плюс и Ctrl+минус — длина ника, Ctrl+Z — вернуть стёртый список, F1 — помощь, Ctrl+I — о программе</source>
        <translation>Keys: Ctrl+N — new nick, Ctrl+plus and Ctrl+minus — nick length, Ctrl+Z — bring back the erased list, F1 — help, Ctrl+I — about the program</translation>
    </message>
    <message>
        <source>Сделать новый ник (%1)</source>
        <extracomment>%1 is the button&apos;s key, as the desktop writes it (e.g. Ctrl+N)</extracomment>
        <translation>Make a new nick (%1)</translation>
    </message>
    <message>
        <source>О программе (%1)</source>
        <extracomment>%1 is the button&apos;s key, as the desktop writes it (e.g. Ctrl+I)</extracomment>
        <translation>About the program (%1)</translation>
    </message>
    <message>
        <source>Подсказка (%1)</source>
        <extracomment>%1 is the button&apos;s key, as the desktop writes it (e.g. F1)</extracomment>
        <translation>Hint (%1)</translation>
    </message>
    <message>
        <source>Длиннее: длина ника плюс один (%1)</source>
        <extracomment>%1 is the button&apos;s key, as the desktop writes it (e.g. Ctrl++)</extracomment>
        <translation>Longer: nick length plus one (%1)</translation>
    </message>
    <message>
        <source>Короче: длина ника минус один (%1)</source>
        <extracomment>%1 is the button&apos;s key, as the desktop writes it (e.g. Ctrl+-)</extracomment>
        <translation>Shorter: nick length minus one (%1)</translation>
    </message>
    <message>
        <source>Сохраняет список в файл %1</source>
        <extracomment>%1 is the file&apos;s full path (e.g. /home/anna/Documents/NIK.log)</extracomment>
        <translation>Saves the list to the file %1</translation>
    </message>
    <message>
        <source>Закрыть программу (%1)</source>
        <extracomment>%1 is the button&apos;s key, as the desktop writes it (e.g. Ctrl+Q)</extracomment>
        <translation>Close the program (%1)</translation>
    </message>
</context>
<context>
    <name>FrmAbout</name>
    <message>
        <source>О программе Quillmark</source>
        <translation>About Quillmark</translation>
    </message>
    <message>
        <source>Программёр, бета-тестер, дизайнер и всё всё всё, это:</source>
        <translation>Programmer, beta tester, designer and all the rest, that is:</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>На сайте ты всегда сможеш найти другие мои программы и игры, гораздо интереснее и лучше(на мой взгляд):</source>
        <translation>On the site you will always find my other programs and games, far more interesting and better (in my view):</translation>
    </message>
    <message>
        <source>Bubble Pop — весёлая игра про мыльные пузыри. Лопай их, пока они не улетели!</source>
        <translation>Bubble Pop — a cheerful game about soap bubbles. Pop them before they fly away!</translation>
    </message>
    <message>
        <source>Quill Notes — маленький блокнот, который живёт в углу экрана и всегда под рукой. Записывай идеи, списки покупок и телефоны друзей, находи нужное за секунду и не бойся потерять: всё сохраняется само. Бесплатно, без рекламы и работает даже на самых старых компьютерах.</source>
        <translation>Quill Notes — a little notebook that lives in the corner of the screen, always at hand. Jot down ideas, shopping lists and your friends&apos; phone numbers, find what you need in a second and never fear losing it: everything saves itself. Free, without ads, and it runs even on the oldest computers.</translation>
    </message>
    <message>
        <source>Star Miner — космическая аркада: собирай кристаллы на астероидах и не попадайся пиратам.</source>
        <translation>Star Miner — a space arcade: gather crystals on the asteroids and don&apos;t get caught by pirates.</translation>
    </message>
    <message>
        <source>Clocky — часы с будильником на рабочий стол.</source>
        <translation>Clocky — an alarm clock for your desktop.</translation>
    </message>
    <message>
        <source>Word Maze — головоломка для тех, кто любит слова: найди их все в лабиринте из букв.</source>
        <translation>Word Maze — a puzzle for those who love words: find them all in a maze of letters.</translation>
    </message>
</context>
<context>
    <name>NickListBox</name>
    <message>
        <source>Копировать</source>
        <translation>Copy</translation>
    </message>
</context>
<context>
    <name>QGuiApplication</name>
    <message>
        <source>QT_LAYOUT_DIRECTION</source>
        <extracomment>LTR for a language read left to right, RTL for one read right to left</extracomment>
        <translation>LTR</translation>
    </message>
</context>
<context>
    <name>SaveProgress</name>
    <message>
        <source>Сохранение</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Сохранение списка: %1 из %2</source>
        <extracomment>%1 is how many nicks are written so far, %2 how many there are in all, each written as the desktop writes numbers (e.g. 1,200 of 5,000).</extracomment>
        <translation>Saving the list: %1 of %2</translation>
    </message>
    <message>
        <source>
Ждём, пока другая копия программы закончит сохранение в эту папку.</source>
        <extracomment>A line added under «Сохранение списка: %1 из %2», hence the line break before it, while another copy of the program saves into the same folder.</extracomment>
        <translation>
Waiting for another copy of the program to finish saving into this folder.</translation>
    </message>
</context>
<context>
    <name>Wording</name>
    <message>
        <source>quillmark: дисплей не найден / no display found</source>
        <translation>quillmark: no display found</translation>
    </message>
    <message>
        <source>Ошибка!!!</source>
        <translation>Error!!!</translation>
    </message>
    <message>
        <source>Да хватит десяти, зачем больше!!!</source>
        <translation>Ten is quite enough, why more!!!</translation>
    </message>
    <message>
        <source>Куда меньше-то!!!</source>
        <translation>How could it be any shorter!!!</translation>
    </message>
    <message>
        <source>Интервал не изменён: %1 мс меньше нуля. Таймер работает дальше с прежним интервалом %2 мс. Введите число от 0 до 9999.</source>
        <extracomment>%1 is the interval the user typed, in milliseconds, below zero (e.g. -250); %2 is the interval the running timer keeps (e.g. 250).</extracomment>
        <translation>Interval unchanged: %1 ms is less than zero. The timer goes on at its previous interval of %2 ms. Type a number from 0 to 9999.</translation>
    </message>
    <message>
        <source>Интервал не изменён: %1 мс меньше нуля. Таймер не запущен. Введите число от 0 до 9999.</source>
        <extracomment>%1 is the interval the user typed, in milliseconds, below zero (e.g. -250).</extracomment>
        <translation>Interval unchanged: %1 ms is less than zero. The timer is not running. Type a number from 0 to 9999.</translation>
    </message>
    <message>
        <source>Сохранение</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>

Но диск не подтвердил запись (%1): при внезапном отключении питания в файле может оказаться прежний список.</source>
        <extracomment>A paragraph added to the end of a save&apos;s message, hence the empty line before it. %1 is why, one of the reasons of this context (e.g. «ошибка ввода-вывода: диск не смог записать данные», input/output error).</extracomment>
        <translation>

But the disk did not confirm the write, so after a sudden power cut the file may hold the previous list (%1).</translation>
    </message>
    <message>
        <source>Отменить сохранение было уже нельзя: прежний файл к этому времени уже заменялся новым. </source>
        <extracomment>The first sentence of a save&apos;s message, when the user asked to stop too late; the next sentence follows after its final space: «Список сохранён полностью в файл» or one that ends «поэтому список сохранён в файл».</extracomment>
        <translation>It was too late to cancel the save: by then the previous file was already being replaced by the new one. </translation>
    </message>
    <message>
        <source>Список сохранён в файл
</source>
        <extracomment>The first line of a save&apos;s message: the file&apos;s full path follows on the next line (e.g. /home/anna/quillmark/NIK.log), then paragraphs that start with an empty line.</extracomment>
        <translation>The list was saved to the file
</translation>
    </message>
    <message>
        <source>Список сохранён полностью в файл
</source>
        <extracomment>Follows «Отменить сохранение было уже нельзя…» in a save&apos;s message: the file&apos;s full path follows on the next line (e.g. /home/anna/quillmark/NIK.log), then paragraphs that start with an empty line.</extracomment>
        <translation>The whole list was saved to the file
</translation>
    </message>
    <message>
        <source>Сохранение отменено, прежний файл остался как был:
%1</source>
        <extracomment>%1, on a line of its own, is the full path of the file (e.g. /home/anna/quillmark/NIK.log). May be followed by the paragraph «Прерванное сохранение оставило списки…».</extracomment>
        <translation>Save cancelled; the previous file is as it was:
%1</translation>
    </message>
    <message>
        <source>Сохранение отменено, файл не записан:
%1</source>
        <extracomment>%1, on a line of its own, is the full path of the file (e.g. /home/anna/quillmark/NIK.log). May be followed by the paragraph «Прерванное сохранение оставило списки…».</extracomment>
        <translation>Save cancelled; no file was written:
%1</translation>
    </message>
    <message>
        <source>

Прежний файл NIK.log в этой папке заменён новым.</source>
        <extracomment>A paragraph added after a message that ends «поэтому список сохранён в файл» and a path, hence the empty line before it: the file written in the fallback folder replaced an earlier one.</extracomment>
        <translation>

The previous file NIK.log in this folder has been replaced by the new one.</translation>
    </message>
    <message>
        <source>Список не тронут, прежний файл остался как был.</source>
        <extracomment>The second paragraph of a failed save&apos;s message, after an empty line: what became of the list. The first paragraph is «Не удалось сохранить список в файл…» or another that ends «Причина: …». The earlier file is as it was. May be followed by paragraphs that start with an empty line.</extracomment>
        <translation>The list in the window is unchanged, and the previous file is as it was.</translation>
    </message>
    <message>
        <source>Список не тронут.</source>
        <extracomment>The second paragraph of a failed save&apos;s message, after an empty line: what became of the list. The first paragraph is «Не удалось сохранить список в файл…» or another that ends «Причина: …». May be followed by paragraphs that start with an empty line.</extracomment>
        <translation>The list in the window is unchanged.</translation>
    </message>
    <message>
        <source>Ошибка сохранения</source>
        <translation>Save error</translation>
    </message>
    <message>
        <source>длина ника %1</source>
        <extracomment>What a screen reader says when the nick&apos;s length changes: %1 is the new length (e.g. 7).</extracomment>
        <translation>nick length %1</translation>
    </message>
    <message>
        <source>таймер запущен, интервал %1 мс</source>
        <extracomment>What a screen reader says when the timer starts: %1 is its interval in milliseconds (e.g. 250).</extracomment>
        <translation>timer started, interval %1 ms</translation>
    </message>
    <message numerus="yes">
        <source>таймер остановлен, в списке %1 записей</source>
        <extracomment>What a screen reader says when the timer stops: %1 is the count of entries the counter shows (e.g. 1250), which also chooses the plural form.</extracomment>
        <translation>
            <numerusform>timer stopped, %1 entry in the list</numerusform>
            <numerusform>timer stopped, %1 entries in the list</numerusform>
        </translation>
    </message>
    <message>
        <source>список стёрт, записей: 0</source>
        <translation>list erased, entries: 0</translation>
    </message>
    <message>
        <source>на диске не хватает места</source>
        <extracomment>A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>исчерпана дисковая квота пользователя</source>
        <extracomment>A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>the user&apos;s disk quota is used up</translation>
    </message>
    <message>
        <source>нет прав на запись</source>
        <extracomment>A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>no permission to write</translation>
    </message>
    <message>
        <source>система не разрешает это действие (например, файл защищён от изменений)</source>
        <extracomment>A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>the system does not allow this (the file may be protected from changes, for instance)</translation>
    </message>
    <message>
        <source>диск или папка доступны только для чтения</source>
        <extracomment>A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>the disk or folder is read-only</translation>
    </message>
    <message>
        <source>на месте файла стоит папка</source>
        <extracomment>A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>a folder stands where the file should be</translation>
    </message>
    <message>
        <source>папка не найдена</source>
        <extracomment>A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>the folder was not found</translation>
    </message>
    <message>
        <source>файл вышел больше, чем разрешено</source>
        <extracomment>A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>the file came out larger than allowed</translation>
    </message>
    <message>
        <source>слишком много символических ссылок подряд</source>
        <extracomment>A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>too many symbolic links in a row</translation>
    </message>
    <message>
        <source>слишком длинное имя файла или папки</source>
        <extracomment>A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>the name of a file or folder is too long</translation>
    </message>
    <message>
        <source>файл или диск занят другой программой или системой</source>
        <extracomment>A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>the file or disk is busy with another program or the system</translation>
    </message>
    <message>
        <source>ошибка ввода-вывода: диск не смог записать данные</source>
        <extracomment>A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>input/output error: the disk could not write the data</translation>
    </message>
    <message>
        <source>ошибка ввода-вывода на удалённом диске</source>
        <extracomment>A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>input/output error on a remote disk</translation>
    </message>
    <message>
        <source>файл на сетевом диске устарел: его изменили или удалили на сервере</source>
        <extracomment>A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>the file on the network disk is stale: it was changed or deleted on the server</translation>
    </message>
    <message>
        <source>связь с диском прервана (сетевой или подключённый программой диск отключился)</source>
        <extracomment>A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>the connection to the disk was lost (a network disk, or one a program mounted, went away)</translation>
    </message>
    <message>
        <source>сетевой диск не отвечает</source>
        <extracomment>A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>the network disk does not answer</translation>
    </message>
    <message>
        <source>у файла или папки слишком много ссылок</source>
        <extracomment>A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>the file or folder has too many links</translation>
    </message>
    <message>
        <source>файл нельзя перенести на другой диск</source>
        <extracomment>A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>the file cannot be moved to another disk</translation>
    </message>
    <message>
        <source>открыто слишком много файлов</source>
        <extracomment>A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>too many files are open</translation>
    </message>
    <message>
        <source>не хватает памяти</source>
        <extracomment>A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>not enough memory</translation>
    </message>
    <message>
        <source>система временно не может выполнить запись; попробуйте ещё раз</source>
        <extracomment>A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>the system cannot write just now; try again</translation>
    </message>
    <message>
        <source>у канала нет читателя, или устройство недоступно</source>
        <extracomment>A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>the pipe has no reader, or the device is unavailable</translation>
    </message>
    <message>
        <source>устройство недоступно</source>
        <extracomment>A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>the device is unavailable</translation>
    </message>
    <message>
        <source>читатель канала закрыл его</source>
        <extracomment>A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>the reader of the pipe closed it</translation>
    </message>
    <message>
        <source>файл слишком велик для этой системы</source>
        <extracomment>A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>the file is too large for this system</translation>
    </message>
    <message>
        <source>не удалось подобрать свободное имя для временного файла</source>
        <extracomment>A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>no free name could be found for a temporary file</translation>
    </message>
    <message>
        <source>система не даёт поставить блокировку</source>
        <extracomment>A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>the system does not allow a lock</translation>
    </message>
    <message>
        <source>файловая система повреждена и требует проверки</source>
        <extracomment>A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>the file system is damaged and needs checking</translation>
    </message>
    <message>
        <source>файловая система не поддерживает нужное действие</source>
        <extracomment>A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>the file system does not support what was needed</translation>
    </message>
    <message>
        <source>зашифрованная папка заперта: нет ключа</source>
        <extracomment>A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>the encrypted folder is locked: there is no key</translation>
    </message>
    <message>
        <source>действие отменено</source>
        <extracomment>A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>the action was cancelled</translation>
    </message>
    <message>
        <source>ошибка системы с кодом %1</source>
        <extracomment>%1 is the system&apos;s error number (e.g. 122). A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full stop.</extracomment>
        <translation>system error with code %1</translation>
    </message>
    <message>
        <source>это символическая ссылка, а она сама или файл, на который она указывает, принадлежит другому пользователю; ссылка и этот файл оставлены как были</source>
        <extracomment>A reason, put into another message: after «Причина: » or before a path in «(%1: %2)». Lower case, no final full stop.</extracomment>
        <translation>it is a symbolic link, and the link or the file it points to belongs to another user; the link and that file are left as they were</translation>
    </message>
    <message>
        <source>это не обычный файл, а канал или устройство другого пользователя; он оставлен как был</source>
        <extracomment>A reason, put into another message: after «Причина: » or before a path in «(%1: %2)». Lower case, no final full stop.</extracomment>
        <translation>it is not an ordinary file but another user&apos;s pipe or device; it is left as it was</translation>
    </message>
    <message>
        <source>другая копия программы слишком долго сохраняет список в этот файл</source>
        <extracomment>A reason, put into another message: after «Причина: » or before a path in «(%1: %2)». Lower case, no final full stop.</extracomment>
        <translation>another copy of the program has been saving its list into this file for too long</translation>
    </message>
    <message>
        <source>путь к файлу длиннее, чем допускает система (%1 байт)</source>
        <extracomment>%1 is the longest path the system takes, in bytes (e.g. 4095). A reason, put into another message: after «Причина: » or before a path in «(%1: %2)». Lower case, no final full stop.</extracomment>
        <translation>the path to the file is longer than the system allows (%1 bytes)</translation>
    </message>
    <message>
        <source>не удалось узнать, в какой папке лежит программа</source>
        <extracomment>A reason, put into another message: after «Причина: » or before a path in «(%1: %2)». Lower case, no final full stop.</extracomment>
        <translation>could not find out which folder the program is in</translation>
    </message>
    <message>
        <source>программа установлена в систему и в свою папку список не записывает, а домашняя папка не найдена</source>
        <extracomment>A reason, put into another message: after «Причина: » or before a path in «(%1: %2)». Lower case, no final full stop.</extracomment>
        <translation>the program is installed for the whole system and does not write the list into its own folder, and no home folder was found</translation>
    </message>
    <message>
        <source>Список не тронут. Прошлое сохранение в этот файл было прервано; его список дописан в файл, но диск не подтвердил, что копия записана полностью. Весь тот список сохранён также в файле
%1</source>
        <extracomment>The second paragraph of a failed save&apos;s message, after an empty line: what became of the list. The first paragraph is «Не удалось сохранить список в файл…» or another that ends «Причина: …». %1, on a line of its own, is the full path of the file that holds the whole earlier list (e.g. /home/anna/Documents/NIK.log). May be followed by paragraphs that start with an empty line.</extracomment>
        <translation>The list in the window is unchanged. An earlier save into this file was cut short; its list has been written into the file, but the disk did not confirm that the copy is complete. That whole list is also kept in the file
%1</translation>
    </message>
    <message>
        <source>Список не тронут. Новый список скопирован в файл целиком, но диск не подтвердил, что копия записана полностью. Весь новый список сохранён также в файле
%1</source>
        <extracomment>The second paragraph of a failed save&apos;s message, after an empty line: what became of the list. The first paragraph is «Не удалось сохранить список в файл…» or another that ends «Причина: …». %1, on a line of its own, is the full path of the file that holds the whole new list (e.g. /home/anna/Documents/NIK.log). May be followed by paragraphs that start with an empty line.</extracomment>
        <translation>The list in the window is unchanged. The new list has been copied into the file whole, but the disk did not confirm that the copy is complete. The whole new list is also kept in the file
%1</translation>
    </message>
    <message>
        <source>Список не тронут, но файл теперь пуст: записать в него новый список не удалось. Весь новый список сохранён в файле
%1</source>
        <extracomment>The second paragraph of a failed save&apos;s message, after an empty line: what became of the list. The first paragraph is «Не удалось сохранить список в файл…» or another that ends «Причина: …». %1, on a line of its own, is the full path of the file that holds the whole new list (e.g. /home/anna/Documents/NIK.log). May be followed by paragraphs that start with an empty line.</extracomment>
        <translation>The list in the window is unchanged, but the file is now empty: the new list could not be written into it. The whole new list is kept in the file
%1</translation>
    </message>
    <message>
        <source>

Но другие копии программы не могли дождаться конца этого сохранения: для блокировки, по которой они сохраняют по очереди, не нашлось папки, доступной только вам. Если другая копия в это же время сохраняла список в этот же файл, в нём может оказаться её список.</source>
        <extracomment>A paragraph added to the end of the message that says where the list was saved, hence the empty line before it.</extracomment>
        <translation>

But the program&apos;s other copies could not wait for this save to end: no folder that only you can reach was found for the lock by which they take turns. If another copy saved its list into this file at the same time, the file may hold that copy&apos;s list.</translation>
    </message>
    <message>
        <source>пока шло сохранение, файл заменил или создал кто-то другой; то, что теперь стоит на его месте, оставлено как было</source>
        <extracomment>A reason, put into another message: after «Причина: » or before a path in «(%1: %2)». Lower case, no final full stop.</extracomment>
        <translation>while the save ran, someone else replaced or made the file; what stands in its place now is left as it is</translation>
    </message>
    <message>
        <source>таймер включён, но при интервале 0 мс ники не добавляются</source>
        <translation>timer on, but at an interval of 0 ms no nicks are added</translation>
    </message>
    <message numerus="yes">
        <source>список возвращён, в нём %1 записей</source>
        <extracomment>What a screen reader says when the erased list comes back: %1 is its count of entries (e.g. 1250), which also chooses the plural form.</extracomment>
        <translation>
            <numerusform>list brought back, %1 entry</numerusform>
            <numerusform>list brought back, %1 entries</numerusform>
        </translation>
    </message>
    <message>
        <source>вернуть нечего</source>
        <translation>nothing to bring back</translation>
    </message>
    <message>
        <source>меню списка</source>
        <translation>list menu</translation>
    </message>
    <message>
        <source>Список не тронут. Другая копия программы ещё не закончила сохранение в этот файл: в нём может быть только начало её списка.</source>
        <extracomment>The second paragraph of a failed save&apos;s message, after an empty line: what became of the list. The first paragraph is «Не удалось сохранить список в файл…» or another that ends «Причина: …». May be followed by paragraphs that start with an empty line.</extracomment>
        <translation>The list in the window is unchanged. Another copy of the program has not finished saving into this file: it may hold only the start of that copy&apos;s list.</translation>
    </message>
    <message>
        <source>Список не тронут. Новый список записан в файл, который уже не называется NIK.log; весь новый список сохранён в файле
%1</source>
        <extracomment>The second paragraph of a failed save&apos;s message, after an empty line: what became of the list. The first paragraph is «Не удалось сохранить список в файл…» or another that ends «Причина: …». %1, on a line of its own, is the full path of the file that holds the whole new list (e.g. /home/anna/Documents/NIK.log). May be followed by paragraphs that start with an empty line.</extracomment>
        <translation>The list in the window is unchanged. The new list went into a file that is no longer named NIK.log; the whole new list is kept in the file
%1</translation>
    </message>
    <message>
        <source>Список не тронут. Прошлое сохранение в этот файл было прервано; оно закончено, и в файле теперь весь список того сохранения.</source>
        <extracomment>The second paragraph of a failed save&apos;s message, after an empty line: what became of the list. The first paragraph is «Не удалось сохранить список в файл…» or another that ends «Причина: …». May be followed by paragraphs that start with an empty line.</extracomment>
        <translation>The list in the window is unchanged. An earlier save into this file was cut short; it has been finished, and the file now holds that save&apos;s whole list.</translation>
    </message>
    <message numerus="yes">
        <source>Список не тронут. Прошлое сохранение в этот файл было прервано, а дописать его не удалось: в файле только начало того списка (записей: %Ln). Весь тот список сохранён в файле
%1</source>
        <extracomment>The second paragraph of a failed save&apos;s message, after an empty line: what became of the list. The first paragraph is «Не удалось сохранить список в файл…» or another that ends «Причина: …». %Ln is how many entries of the earlier list the file holds (e.g. 120); %1, on a line of its own, is the full path of the file that holds the whole earlier list (e.g. /home/anna/Documents/NIK.log). May be followed by paragraphs that start with an empty line.</extracomment>
        <translation>
            <numerusform>The list in the window is unchanged. An earlier save into this file was cut short, and it could not be finished: the file holds only the start of that list (%Ln entry). That whole list is kept in the file
%1</numerusform>
            <numerusform>The list in the window is unchanged. An earlier save into this file was cut short, and it could not be finished: the file holds only the start of that list (%Ln entries). That whole list is kept in the file
%1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Список не тронут, но файл записан не полностью: в нём только начало нового списка (записей: %Ln из %1). Весь новый список сохранён в файле
%2</source>
        <extracomment>The second paragraph of a failed save&apos;s message, after an empty line: what became of the list. The first paragraph is «Не удалось сохранить список в файл…» or another that ends «Причина: …». %Ln is how many entries of the new list the file holds (e.g. 120); %1 is how many the whole list has, written as the desktop writes numbers (e.g. 1,250); %2, on a line of its own, is the full path of the file that holds the whole new list (e.g. /home/anna/Documents/NIK.log). May be followed by paragraphs that start with an empty line.</extracomment>
        <translation>
            <numerusform>The list in the window is unchanged, but the file is not written whole: it holds only the start of the new list (%Ln entry of %1). The whole new list is kept in the file
%2</numerusform>
            <numerusform>The list in the window is unchanged, but the file is not written whole: it holds only the start of the new list (%Ln entries of %1). The whole new list is kept in the file
%2</numerusform>
        </translation>
    </message>
    <message>
        <source>Сохранение отменено, этот список в файл не записан. Другая копия программы ещё не закончила сохранение в этот файл: в нём может быть только начало её списка:
%1</source>
        <extracomment>%1, on a line of its own, is the full path of the file (e.g. /home/anna/quillmark/NIK.log). May be followed by the paragraph «Прерванное сохранение оставило списки…».</extracomment>
        <translation>Save cancelled; this list was not written. Another copy of the program has not finished saving into this file: it may hold only the start of that copy&apos;s list:
%1</translation>
    </message>
    <message>
        <source>Сохранение отменено. Прошлое сохранение в этот файл было прервано; оно закончено, и в файле теперь весь список того сохранения:
%1</source>
        <extracomment>%1, on a line of its own, is the full path of the file (e.g. /home/anna/quillmark/NIK.log). May be followed by the paragraph «Прерванное сохранение оставило списки…».</extracomment>
        <translation>Save cancelled. An earlier save into this file was cut short; it has been finished, and the file now holds that save&apos;s whole list:
%1</translation>
    </message>
    <message numerus="yes">
        <source>

Прерванное сохранение оставило списки, которые программа не тронула: нельзя убедиться, что их записала она, или файл NIK.log с тех пор заменён (файлов: %Ln). Посмотрите их и удалите сами:
%1</source>
        <extracomment>A paragraph added to the end of a save&apos;s message, hence the empty line before it. %Ln is how many files were left (e.g. 2); %1 is their full paths, one a line (e.g. /home/anna/quillmark/NIK.log.1).</extracomment>
        <translation>
            <numerusform>

A save that was cut short left a list the program has not touched: it cannot be sure it wrote it, or the file NIK.log has been replaced since (%Ln file). Look at it and remove it yourself:
%1</numerusform>
            <numerusform>

A save that was cut short left lists the program has not touched: it cannot be sure it wrote them, or the file NIK.log has been replaced since (%Ln files). Look at them and remove them yourself:
%1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>сохранено ников: %Ln, файл %1</source>
        <extracomment>What a screen reader says once a save is done: %Ln is how many nicks were saved (e.g. 250); %1 is the file&apos;s full path (e.g. /home/anna/quillmark/NIK.log).</extracomment>
        <translation>
            <numerusform>nicks saved: %Ln, file %1</numerusform>
            <numerusform>nicks saved: %Ln, file %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>

Прошлое сохранение в файл NIK.log в папке программы было прервано, а дописать его не удалось: в нём только начало того списка (записей: %Ln). Весь тот список сохранён в файле
%1</source>
        <extracomment>A paragraph added after a message that ends «поэтому список сохранён в файл» and a path, hence the empty line before it. %Ln is how many entries of the earlier list the file holds (e.g. 120); %1, on a line of its own, is the full path of the file that holds the whole earlier list (e.g. /home/anna/Documents/NIK.log).</extracomment>
        <translation>
            <numerusform>

An earlier save into the file NIK.log in the program&apos;s folder was cut short, and it could not be finished: it holds only the start of that list (%Ln entry). That whole list is kept in the file
%1</numerusform>
            <numerusform>

An earlier save into the file NIK.log in the program&apos;s folder was cut short, and it could not be finished: it holds only the start of that list (%Ln entries). That whole list is kept in the file
%1</numerusform>
        </translation>
    </message>
    <message>
        <source>скопировано: %1</source>
        <extracomment>What a screen reader says when a nick is copied: %1 is the nick (e.g. Toren).</extracomment>
        <translation>copied: %1</translation>
    </message>
    <message numerus="yes">
        <source>в списке %1 записей</source>
        <extracomment>The list&apos;s description for a screen reader: %1 is its count of entries (e.g. 12), which also chooses the plural form.</extracomment>
        <translation>
            <numerusform>%1 entry in the list</numerusform>
            <numerusform>%1 entries in the list</numerusform>
        </translation>
    </message>
    <message>
        <source>В папку программы нельзя записывать (%1: %2), поэтому список сохранён в файл
%3</source>
        <extracomment>%1 is why, one of the reasons of this context (e.g. «нет прав на запись», no permission to write); %2 is the full path of the program&apos;s folder (e.g. /opt/quillmark). %3, on a line of its own, is the full path of the file the list was saved to instead (e.g. /home/anna/Documents/NIK.log). May start after «Отменить сохранение было уже нельзя…» and be followed by paragraphs that start with an empty line.</extracomment>
        <translation>The program&apos;s folder cannot be written to (%1: %2), so the list was saved to the file
%3</translation>
    </message>
    <message>
        <source>Файл NIK.log в папке программы нельзя изменить (%1: %2), поэтому список сохранён в файл
%3</source>
        <extracomment>%1 is why, one of the reasons of this context (e.g. «нет прав на запись», no permission to write); %2 is the full path of that file (e.g. /opt/quillmark/NIK.log). %3, on a line of its own, is the full path of the file the list was saved to instead (e.g. /home/anna/Documents/NIK.log). May start after «Отменить сохранение было уже нельзя…» and be followed by paragraphs that start with an empty line.</extracomment>
        <translation>The file NIK.log in the program&apos;s folder cannot be changed (%1: %2), so the list was saved to the file
%3</translation>
    </message>
    <message>
        <source>Ссылка NIK.log в папке программы ведёт туда, куда нельзя записывать (%1: %2), поэтому список сохранён в файл
%3</source>
        <extracomment>%1 is why, one of the reasons of this context (e.g. «нет прав на запись», no permission to write); %2 is the full path of where the link leads (e.g. /srv/shared/NIK.log). %3, on a line of its own, is the full path of the file the list was saved to instead (e.g. /home/anna/Documents/NIK.log). May start after «Отменить сохранение было уже нельзя…» and be followed by paragraphs that start with an empty line.</extracomment>
        <translation>The link NIK.log in the program&apos;s folder leads where nothing may be written (%1: %2), so the list was saved to the file
%3</translation>
    </message>
    <message>
        <source>Файл NIK.log в папке программы можно только переписать на месте, а новому списку негде дождаться этого (%1: %2), поэтому список сохранён в файл
%3</source>
        <extracomment>%1 is why, one of the reasons of this context (e.g. «нет прав на запись», no permission to write); %2 is the full path of the place where the new list was to wait (e.g. /opt/quillmark). %3, on a line of its own, is the full path of the file the list was saved to instead (e.g. /home/anna/Documents/NIK.log). May start after «Отменить сохранение было уже нельзя…» and be followed by paragraphs that start with an empty line.</extracomment>
        <translation>The file NIK.log in the program&apos;s folder can only be rewritten in place, and the new list has nowhere to wait meanwhile (%1: %2), so the list was saved to the file
%3</translation>
    </message>
    <message>
        <source>В папку программы нельзя записывать (%1: %2), и в запасную папку сохранить тоже не удалось:
%3

Причина: %4</source>
        <extracomment>%1 is why, one of the reasons of this context (e.g. «нет прав на запись», no permission to write); %2 is the full path of the program&apos;s folder (e.g. /opt/quillmark). %3, on a line of its own, is the file in the fallback folder that could not be written (e.g. /home/anna/Documents/NIK.log); %4 is why, one of the reasons of this context (e.g. «на диске не хватает места», not enough disk space). The paragraph «Список не тронут…» follows after an empty line.</extracomment>
        <translation>The program&apos;s folder cannot be written to (%1: %2), and saving into the fallback folder failed too:
%3

Reason: %4</translation>
    </message>
    <message>
        <source>Файл NIK.log в папке программы нельзя изменить (%1: %2), и в запасную папку сохранить тоже не удалось:
%3

Причина: %4</source>
        <extracomment>%1 is why, one of the reasons of this context (e.g. «нет прав на запись», no permission to write); %2 is the full path of that file (e.g. /opt/quillmark/NIK.log). %3, on a line of its own, is the file in the fallback folder that could not be written (e.g. /home/anna/Documents/NIK.log); %4 is why, one of the reasons of this context (e.g. «на диске не хватает места», not enough disk space). The paragraph «Список не тронут…» follows after an empty line.</extracomment>
        <translation>The file NIK.log in the program&apos;s folder cannot be changed (%1: %2), and saving into the fallback folder failed too:
%3

Reason: %4</translation>
    </message>
    <message>
        <source>Ссылка NIK.log в папке программы ведёт туда, куда нельзя записывать (%1: %2), и в запасную папку сохранить тоже не удалось:
%3

Причина: %4</source>
        <extracomment>%1 is why, one of the reasons of this context (e.g. «нет прав на запись», no permission to write); %2 is the full path of where the link leads (e.g. /srv/shared/NIK.log). %3, on a line of its own, is the file in the fallback folder that could not be written (e.g. /home/anna/Documents/NIK.log); %4 is why, one of the reasons of this context (e.g. «на диске не хватает места», not enough disk space). The paragraph «Список не тронут…» follows after an empty line.</extracomment>
        <translation>The link NIK.log in the program&apos;s folder leads where nothing may be written (%1: %2), and saving into the fallback folder failed too:
%3

Reason: %4</translation>
    </message>
    <message>
        <source>Файл NIK.log в папке программы можно только переписать на месте, а новому списку негде дождаться этого (%1: %2), и в запасную папку сохранить тоже не удалось:
%3

Причина: %4</source>
        <extracomment>%1 is why, one of the reasons of this context (e.g. «нет прав на запись», no permission to write); %2 is the full path of the place where the new list was to wait (e.g. /opt/quillmark). %3, on a line of its own, is the file in the fallback folder that could not be written (e.g. /home/anna/Documents/NIK.log); %4 is why, one of the reasons of this context (e.g. «на диске не хватает места», not enough disk space). The paragraph «Список не тронут…» follows after an empty line.</extracomment>
        <translation>The file NIK.log in the program&apos;s folder can only be rewritten in place, and the new list has nowhere to wait meanwhile (%1: %2), and saving into the fallback folder failed too:
%3

Reason: %4</translation>
    </message>
    <message>
        <source>В папку программы нельзя записывать, а другого места для сохранения нет: домашняя папка не найдена.
%1

Причина: %2</source>
        <extracomment>%1, on a line of its own, is the file in the program&apos;s folder that could not be written (e.g. /opt/quillmark/NIK.log); %2 is why, one of the reasons of this context (e.g. «нет прав на запись», no permission to write). The paragraph «Список не тронут…» follows after an empty line.</extracomment>
        <translation>The program&apos;s folder cannot be written to, and there is nowhere else to save: no home folder was found.
%1

Reason: %2</translation>
    </message>
    <message>
        <source>Не удалось сохранить список в файл
%1

Причина: %2</source>
        <extracomment>%1, on a line of its own, is the file that could not be written (e.g. /home/anna/quillmark/NIK.log); %2 is why, one of the reasons of this context (e.g. «на диске не хватает места», not enough disk space). The paragraph «Список не тронут…» follows after an empty line.</extracomment>
        <translation>Could not save the list to the file
%1

Reason: %2</translation>
    </message>
    <message numerus="yes">
        <source>Сохранено ников: %Ln
%1</source>
        <extracomment>The note beside Save once a save is done: %Ln is how many nicks were saved (e.g. 250); %1, on a line of its own, is the file&apos;s full path (e.g. /home/anna/quillmark/NIK.log).</extracomment>
        <translation>
            <numerusform>Nicks saved: %Ln
%1</numerusform>
            <numerusform>Nicks saved: %Ln
%1</numerusform>
        </translation>
    </message>
    <message>
        <source>скопировано</source>
        <translation>copied</translation>
    </message>
</context>
</TS>
