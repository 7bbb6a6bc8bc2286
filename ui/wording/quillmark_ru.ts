<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="ru_RU">
<context>
    <name>Wording</name>
    <message numerus="yes">
        <source>Список не тронут. Прошлое сохранение в этот файл было прервано, а дописать его не удалось: в файле только начало того списка (записей: %Ln). Весь тот список сохранён в файле
%1</source>
        <extracomment>The second paragraph of a failed save&apos;s message, after an empty line: what became of the list. The first paragraph is «Не удалось сохранить список в файл…» or another that ends «Причина: …». %Ln is how many entries of the earlier list the file holds (e.g. 120); %1, on a line of its own, is the full path of the file that holds the whole earlier list (e.g. /home/anna/Documents/NIK.log). May be followed by paragraphs that start with an empty line.</extracomment>
        <translation>
            <numerusform>Список не тронут. Прошлое сохранение в этот файл было прервано, а дописать его не удалось: в файле только начало того списка (записей: %Ln). Весь тот список сохранён в файле
%1</numerusform>
            <numerusform>Список не тронут. Прошлое сохранение в этот файл было прервано, а дописать его не удалось: в файле только начало того списка (записей: %Ln). Весь тот список сохранён в файле
%1</numerusform>
            <numerusform>Список не тронут. Прошлое сохранение в этот файл было прервано, а дописать его не удалось: в файле только начало того списка (записей: %Ln). Весь тот список сохранён в файле
%1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Список не тронут, но файл записан не полностью: в нём только начало нового списка (записей: %Ln из %1). Весь новый список сохранён в файле
%2</source>
        <extracomment>The second paragraph of a failed save&apos;s message, after an empty line: what became of the list. The first paragraph is «Не удалось сохранить список в файл…» or another that ends «Причина: …». %Ln is how many entries of the new list the file holds (e.g. 120); %1 is how many the whole list has, written as the desktop writes numbers (e.g. 1,250); %2, on a line of its own, is the full path of the file that holds the whole new list (e.g. /home/anna/Documents/NIK.log). May be followed by paragraphs that start with an empty line.</extracomment>
        <translation>
            <numerusform>Список не тронут, но файл записан не полностью: в нём только начало нового списка (записей: %Ln из %1). Весь новый список сохранён в файле
%2</numerusform>
            <numerusform>Список не тронут, но файл записан не полностью: в нём только начало нового списка (записей: %Ln из %1). Весь новый список сохранён в файле
%2</numerusform>
            <numerusform>Список не тронут, но файл записан не полностью: в нём только начало нового списка (записей: %Ln из %1). Весь новый список сохранён в файле
%2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>

Прерванное сохранение оставило списки, которые программа не тронула: нельзя убедиться, что их записала она, или файл NIK.log с тех пор заменён (файлов: %Ln). Посмотрите их и удалите сами:
%1</source>
        <extracomment>A paragraph added to the end of a save&apos;s message, hence the empty line before it. %Ln is how many files were left (e.g. 2); %1 is their full paths, one a line (e.g. /home/anna/quillmark/NIK.log.1).</extracomment>
        <translation>
            <numerusform>

Прерванное сохранение оставило список, который программа не тронула: нельзя убедиться, что его записала она, или файл NIK.log с тех пор заменён (файлов: %Ln). Посмотрите его и удалите сами:
%1</numerusform>
            <numerusform>

Прерванное сохранение оставило списки, которые программа не тронула: нельзя убедиться, что их записала она, или файл NIK.log с тех пор заменён (файлов: %Ln). Посмотрите их и удалите сами:
%1</numerusform>
            <numerusform>

Прерванное сохранение оставило списки, которые программа не тронула: нельзя убедиться, что их записала она, или файл NIK.log с тех пор заменён (файлов: %Ln). Посмотрите их и удалите сами:
%1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Сохранено ников: %Ln
%1</source>
        <extracomment>The note beside Save once a save is done: %Ln is how many nicks were saved (e.g. 250); %1, on a line of its own, is the file&apos;s full path (e.g. /home/anna/quillmark/NIK.log).</extracomment>
        <translation>
            <numerusform>Сохранено ников: %Ln
%1</numerusform>
            <numerusform>Сохранено ников: %Ln
%1</numerusform>
            <numerusform>Сохранено ников: %Ln
%1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>сохранено ников: %Ln, файл %1</source>
        <extracomment>What a screen reader says once a save is done: %Ln is how many nicks were saved (e.g. 250); %1 is the file&apos;s full path (e.g. /home/anna/quillmark/NIK.log).</extracomment>
        <translation>
            <numerusform>сохранено ников: %Ln, файл %1</numerusform>
            <numerusform>сохранено ников: %Ln, файл %1</numerusform>
            <numerusform>сохранено ников: %Ln, файл %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>

Прошлое сохранение в файл NIK.log в папке программы было прервано, а дописать его не удалось: в нём только начало того списка (записей: %Ln). Весь тот список сохранён в файле
%1</source>
        <extracomment>A paragraph added after a message that ends «поэтому список сохранён в файл» and a path, hence the empty line before it. %Ln is how many entries of the earlier list the file holds (e.g. 120); %1, on a line of its own, is the full path of the file that holds the whole earlier list (e.g. /home/anna/Documents/NIK.log).</extracomment>
        <translation>
            <numerusform>

Прошлое сохранение в файл NIK.log в папке программы было прервано, а дописать его не удалось: в нём только начало того списка (записей: %Ln). Весь тот список сохранён в файле
%1</numerusform>
            <numerusform>

Прошлое сохранение в файл NIK.log в папке программы было прервано, а дописать его не удалось: в нём только начало того списка (записей: %Ln). Весь тот список сохранён в файле
%1</numerusform>
            <numerusform>

Прошлое сохранение в файл NIK.log в папке программы было прервано, а дописать его не удалось: в нём только начало того списка (записей: %Ln). Весь тот список сохранён в файле
%1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>таймер остановлен, в списке %1 записей</source>
        <extracomment>What a screen reader says when the timer stops: %1 is the count of entries the counter shows (e.g. 1250), which also chooses the plural form.</extracomment>
        <translation>
            <numerusform>таймер остановлен, в списке %1 запись</numerusform>
            <numerusform>таймер остановлен, в списке %1 записи</numerusform>
            <numerusform>таймер остановлен, в списке %1 записей</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>список возвращён, в нём %1 записей</source>
        <extracomment>What a screen reader says when the erased list comes back: %1 is its count of entries (e.g. 1250), which also chooses the plural form.</extracomment>
        <translation>
            <numerusform>список возвращён, в нём %1 запись</numerusform>
            <numerusform>список возвращён, в нём %1 записи</numerusform>
            <numerusform>список возвращён, в нём %1 записей</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>в списке %1 записей</source>
        <extracomment>The list&apos;s description for a screen reader: %1 is its count of entries (e.g. 12), which also chooses the plural form.</extracomment>
        <translation>
            <numerusform>в списке %1 запись</numerusform>
            <numerusform>в списке %1 записи</numerusform>
            <numerusform>в списке %1 записей</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>QGuiApplication</name>
    <message>
        <source>QT_LAYOUT_DIRECTION</source>
        <translation>LTR</translation>
    </message>
</context>
</TS>
