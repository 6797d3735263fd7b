// Two-digit code of a Mexican federal entity from the free state text of a party.
#include "ClaveEstado.h"

namespace engine {

namespace {
struct Regla {
    const char *empieza[3];
    const char *termina[2];
    const char *clave;
};

// In order: the first rule that holds gives the code. Baja California Sur must be tested before
// Baja California, Coahuila before Colima.
const Regla Reglas[] = {
    {{"AGS", "AGUA"}, {}, "01"},
    {{"B.C.S"}, {"SUR"}, "03"},
    {{"B.C", "BAJA"}, {}, "02"},
    {{"CAMP"}, {}, "04"},
    {{"COAH"}, {}, "05"},
    {{"COL"}, {}, "06"},
    {{"CHIAP"}, {}, "07"},
    {{"CHIH"}, {}, "08"},
    {{"D.F.", "DISTRITO"}, {}, "09"},
    {{"DGO", "DUR"}, {}, "10"},
    {{"GTO", "GUAN"}, {}, "11"},
    {{"GRO", "GUER"}, {}, "12"},
    {{"HID", "HGO"}, {}, "13"},
    {{"JAL"}, {}, "14"},
    {{"EDO"}, {"MEX", "MEXICO"}, "15"},
    {{"MICH"}, {}, "16"},
    {{"MOR"}, {}, "17"},
    {{"NAY"}, {}, "18"},
    {{"N.L", "LEON"}, {}, "19"},
    {{"OAX"}, {}, "20"},
    {{"PUE"}, {}, "21"},
    {{"QRO"}, {}, "22"},
    {{"Q.", "QUINTANA"}, {"ROO"}, "23"},
    {{"S.L.P", "SAN LUIS"}, {}, "24"},
    {{"SIN"}, {}, "25"},
    {{"SON"}, {}, "26"},
    {{"TAB"}, {}, "27"},
    {{"TAM"}, {}, "28"},
    {{"TLAX"}, {}, "29"},
    {{"VER"}, {}, "30"},
    {{"YUC"}, {}, "31"},
    {{"ZAC"}, {}, "32"},
    {{"EXTRANJERO"}, {}, "33"},
};
} // namespace

QString ObtenerClaveEstado(const QString &stEstado)
{
    for (const Regla &regla : Reglas) {
        for (const char *e : regla.empieza) {
            if (e && stEstado.startsWith(QLatin1String(e)))
                return QLatin1String(regla.clave);
        }
        for (const char *t : regla.termina) {
            if (t && stEstado.endsWith(QLatin1String(t)))
                return QLatin1String(regla.clave);
        }
    }
    return QStringLiteral("00");
}

} // namespace engine
