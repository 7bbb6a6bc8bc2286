<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="ru_RU">
<context>
    <name>Wording</name>
    <message numerus="yes">
        <source>таймер остановлен, в списке %1 записей</source>
        <translation>
            <numerusform>таймер остановлен, в списке %1 запись</numerusform>
            <numerusform>таймер остановлен, в списке %1 записи</numerusform>
            <numerusform>таймер остановлен, в списке %1 записей</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>список возвращён, в нём %1 записей</source>
        <translation>
            <numerusform>список возвращён, в нём %1 запись</numerusform>
            <numerusform>список возвращён, в нём %1 записи</numerusform>
            <numerusform>список возвращён, в нём %1 записей</numerusform>
        </translation>
    </message>
</context>
</TS>
