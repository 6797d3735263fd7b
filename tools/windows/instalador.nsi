; The Windows installer of repieps, built by tools/windows/paquete.sh with makensis:
;   makensis -DVERSION=2.2.0 -DORIGEN=<program folder> -DSALIDA=<installer .exe>
;            -DICONO=<.ico> -DARCHIVOS=<list of the installed files, made by paquete.sh> instalador.nsi
; In Spanish; for the current user (no administrator needed) or for all users; /S installs
; silently (for all users when it may, /CurrentUser or /AllUsers choose), and so does the
; uninstaller. The programs keep their settings and reports in the user's own folders, which
; uninstalling never touches.
; A 64-bit installer for a 64-bit program (it also runs where only 64-bit programs do).
Target amd64-unicode
SetCompressor /SOLID lzma

!define PRODUCTO "repieps"
!define NOMBRE "Reporte especial de IEPS"
!define CLAVE "Software\Microsoft\Windows\CurrentVersion\Uninstall\repieps"
; The programs recognise an installation by this file beside them.
!define DESINSTALADOR "desinstalar.exe"

Name "${NOMBRE} ${VERSION}"
OutFile "${SALIDA}"
BrandingText "repieps ${VERSION}"
ShowInstDetails hide
ShowUninstDetails hide

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCTO}"
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${CLAVE}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "UninstallString"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${CLAVE}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include x64.nsh

!define MUI_ICON "${ICONO}"
!define MUI_UNICON "${ICONO}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\repieps.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Abrir ${NOMBRE}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Spanish"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_SPANISH} "ProductName" "repieps"
VIAddVersionKey /LANG=${LANG_SPANISH} "FileDescription" "Instalador de ${NOMBRE}"
VIAddVersionKey /LANG=${LANG_SPANISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SPANISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SPANISH} "CompanyName" "repieps"
VIAddVersionKey /LANG=${LANG_SPANISH} "LegalCopyright" "repieps"

Function .onInit
    ${IfNot} ${RunningX64}
        MessageBox MB_OK|MB_ICONSTOP "${NOMBRE} necesita Windows de 64 bits." /SD IDOK
        Abort
    ${EndIf}
    SetRegView 64
    !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
    SetRegView 64
    !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "repieps"
    SetOutPath "$INSTDIR"
    File /r "${ORIGEN}/*"
    WriteUninstaller "$INSTDIR\${DESINSTALADOR}"
    CreateShortcut "$SMPROGRAMS\${NOMBRE}.lnk" "$INSTDIR\repieps.exe" "" "$INSTDIR\repieps.exe" 0 \
        SW_SHOWNORMAL "" "Prepara el reporte especial de IEPS del punto de venta"
    ; "Aplicaciones y características" (Programs and Features)
    WriteRegStr SHCTX "${CLAVE}" "DisplayName" "${NOMBRE}"
    WriteRegStr SHCTX "${CLAVE}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${CLAVE}" "Publisher" "repieps"
    WriteRegStr SHCTX "${CLAVE}" "DisplayIcon" "$INSTDIR\repieps.exe,0"
    WriteRegStr SHCTX "${CLAVE}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${CLAVE}" "UninstallString" '"$INSTDIR\${DESINSTALADOR}" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${CLAVE}" "QuietUninstallString" '"$INSTDIR\${DESINSTALADOR}" /$MultiUser.InstallMode /S'
    WriteRegDWORD SHCTX "${CLAVE}" "NoModify" 1
    WriteRegDWORD SHCTX "${CLAVE}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\${NOMBRE}.lnk"
    ; Only what the installer put there: a folder chosen by the user may hold other files.
    !include "${ARCHIVOS}"
    Delete "$INSTDIR\${DESINSTALADOR}"
    RMDir "$INSTDIR"
    DeleteRegKey SHCTX "${CLAVE}"
SectionEnd
