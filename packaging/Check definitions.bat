@echo off
rem Checks every definition in Config\Vantrel of this simulator, then
rem waits for a key, so that the window stays open to be read.
cd /d "%~dp0"
vantrel.exe check --root ..\..
echo.
pause
