@echo off
rem The Start menu's command prompt: orsela-cli on PATH, UTF-8 output, the user's folder.
chcp 65001 >nul
set "PATH=%~dp0bin;%PATH%"
if "%~1"=="" (
    cd /d "%USERPROFILE%"
    echo orsela-cli --help
)
