# Wine for the Windows tests (sourced after comun.sh): a 64-bit prefix of its own, made once.

# A path of this machine as Wine's programs see it (drive Z: is the root folder).
ventanas() { local r=${1//\//\\}; echo "Z:$r"; }

# Where Wine finds the DLLs of programs run from the build folder: Qt, the MariaDB client and the
# MinGW runtime (the program folder of the package carries its own copies instead).
dlls_de_compilacion() {
    local d lista=""
    for d in "$prefijo_qt/bin" "$prefijo_mariadb/lib/mariadb" \
             "$(dirname "$("$triple-g++-posix" -print-file-name=libstdc++-6.dll)")" \
             "$(dirname "$("$triple-g++-posix" -print-file-name=libwinpthread-1.dll)")"; do
        lista+="${lista:+;}$(ventanas "$(cd "$d" && pwd)")"
    done
    echo "$lista"
}

# Windows' own fonts are not free: the prefix gets Wine's Tahoma (the dialog font Qt asks Windows
# for) and Liberation Sans in place of Segoe UI and Arial, which have the same metrics, so that the
# window keeps its proportions and its accents in the pictures.
preparar_wine() {
    if [ ! -f "$WINEPREFIX/.repieps-listo" ]; then
        aviso "Preparando Wine en $WINEPREFIX (una sola vez)"
        rm -rf "$WINEPREFIX"
        mkdir -p "$(dirname "$WINEPREFIX")"
        # Without the .NET and HTML engines Wine would offer to download.
        WINEDLLOVERRIDES="mscoree=;mshtml=" wineboot --init >/dev/null 2>&1 ||
            falla "Wine no pudo preparar $WINEPREFIX"
        wineserver -w
        # The user's Documents, Desktop, ... are links to this machine's home: they become folders
        # of the prefix, so that the tests write nothing outside it.
        local enlace
        for enlace in "$WINEPREFIX"/drive_c/users/*/*; do
            [ -L "$enlace" ] && rm "$enlace" && mkdir "$enlace"
        done
        local reg="$WINEPREFIX/repieps-fuentes.reg" f
        {
            printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
            for f in "Segoe UI" Arial "Microsoft Sans Serif"; do printf '"%s"="Liberation Sans"\r\n' "$f"; done
            printf '"Times New Roman"="Liberation Serif"\r\n"Courier New"="Liberation Mono"\r\n'
        } >"$reg"
        wine regedit /S "$(ventanas "$reg")" >/dev/null 2>&1 || falla "no se pudieron registrar las fuentes en Wine"
        wineserver -w
        touch "$WINEPREFIX/.repieps-listo"
    fi
}
