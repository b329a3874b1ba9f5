@echo off
rem Roda o aleta.exe do pacote com os arquivos .ent desta pasta e espera uma tecla no fim,
rem para que a janela nao feche antes que se leia uma mensagem de erro.
rem Numa copia deste arquivo fora da pasta do pacote, troque a linha "set" abaixo pelo caminho
rem da pasta bin do pacote, entre as aspas, por exemplo:
rem set "BIN=C:\Users\Joao Silva\Downloads\aleta-1.1.0-windows-x64\aleta-1.1.0-windows-x64\bin"
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
pause
exit /b 1
