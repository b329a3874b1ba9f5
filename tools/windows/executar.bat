@echo off
rem Roda o aleta.exe do pacote com os arquivos .ent desta pasta e espera uma tecla no fim,
rem para que a janela nao feche antes que se leia uma mensagem de erro.
rem O programa e procurado a partir da pasta deste arquivo, o que vale em qualquer caminho,
rem com ou sem acentos, enquanto este arquivo estiver numa pasta de examples do pacote.
rem Numa copia fora do pacote, troque a linha "set" abaixo pelo caminho da pasta bin do pacote,
rem entre as aspas, com %USERPROFILE% no lugar de C:\Users\(seu nome), por exemplo:
rem set "BIN=%USERPROFILE%\Downloads\aleta-1.1.0-windows-x64\aleta-1.1.0-windows-x64\bin"
rem O cmd le este arquivo numa codificacao diferente da que o Bloco de Notas grava: um acento
rem digitado nessa linha chega trocado, e o caminho nao e encontrado. O %USERPROFILE% evita
rem digitar o nome do usuario; o resto do caminho nao pode ter acentos nem cedilha.
set "BIN=%~dp0..\..\bin"
set "PROGRAMA=aleta.exe"
cd /d "%~dp0"
if not exist "%BIN%\%PROGRAMA%" goto sem_programa
"%BIN%\%PROGRAMA%"
set "CODIGO=%ERRORLEVEL%"
echo.
echo %PROGRAMA% terminou com codigo de saida %CODIGO% (0 = sem erro).
pause
exit /b %CODIGO%
:sem_programa
echo Nao encontrei "%BIN%\%PROGRAMA%".
echo Abra este arquivo no Bloco de Notas e corrija a linha que comeca com: set "BIN=
echo Use %%USERPROFILE%% no lugar de C:\Users\(seu nome); o resto do caminho nao pode ter acentos.
pause
exit /b 1
