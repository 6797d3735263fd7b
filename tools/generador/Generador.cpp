#include "Generador.h"

#include "RevisionDeRfc.h"

#include "Azar.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>

namespace generador {

int DiaDeFecha(int anio, int mes, int dia)
{
    anio -= mes <= 2;
    const int era = (anio >= 0 ? anio : anio - 399) / 400;
    const int ae = anio - era * 400;
    const int dda = (153 * (mes + (mes > 2 ? -3 : 9)) + 2) / 5 + dia - 1;
    const int dde = ae * 365 + ae / 4 - ae / 100 + dda;
    return era * 146097 + dde - 719468;
}

std::string TextoDeDia(int dias)
{
    dias += 719468;
    const int era = (dias >= 0 ? dias : dias - 146096) / 146097;
    const int dde = dias - era * 146097;
    const int ae = (dde - dde / 1460 + dde / 36524 - dde / 146096) / 365;
    int anio = ae + era * 400;
    const int dda = dde - (365 * ae + ae / 4 - ae / 100);
    const int mp = (5 * dda + 2) / 153;
    const int dia = dda - (153 * mp + 2) / 5 + 1;
    const int mes = mp + (mp < 10 ? 3 : -9);
    anio += mes <= 2;
    char b[40];
    std::snprintf(b, sizeof b, "%04d-%02d-%02d", anio, mes, dia);
    return b;
}

namespace {

// ---------------------------------------------------------------------------------------------
// Catalogues

const char *const Botanas = "BOTANAS";
const char *const Confiteria = "PRODUCTOS DE CONFITERÍA";
const char *const Chocolate = "CHOCOLATE Y DEMÁS PRODUCTOS DERIVADOS DEL CACAO";
const char *const Flanes = "FLANES Y PUDINES";
const char *const DulcesFruta = "DULCES DE FRUTAS Y HORTALIZAS";
const char *const Cremas = "CREMAS DE CACAHUATE Y AVELLANAS";
const char *const DulcesLeche = "DULCES DE LECHE";
const char *const Cereales = "ALIMENTOS PREPARADOS A BASE DE CEREALES";
const char *const Helados = "HELADOS, NIEVES Y PALETAS DE HIELO";

// Category texts that a careless capture leaves in the catalogue and that match no category.
const std::vector<std::string> CategoriasMalCapturadas = {
    "Botanas", "BOTANAS ", "PRODUCTOS DE CONFITERIA", "CHOCOLATE Y DEMAS PRODUCTOS DERIVADOS DEL CACAO",
    "HELADOS", "DULCES", "SIN CLASIFICAR", "", " DULCES DE LECHE", "ALIMENTOS A BASE DE CEREALES"};

struct Presentacion {
    const char *texto;
    const char *pedimento;
};
const std::vector<Presentacion> Solidos = {
    {"45 G", "0.045"}, {"100 G", "0.1"}, {"125 G", "0.125"}, {"250 G", "0.25"}, {"250 G", "0.25"},
    {"500 G", "0.5"}, {"500 G", "0.5"}, {"750 G", "0.75"}, {"1 KG", "1"}, {"1 KG", "1"},
    {"1.5 KG", "1.5"}, {"2 KG", "2"}, {"PAQ 3 PZAS", "0.3333"}, {"PAQ 3 PZAS", "0.3333"}};
const std::vector<Presentacion> Liquidos = {
    {"250 ML", "0.25"}, {"500 ML", "0.5"}, {"1 L", "1"}, {"1 L", "1"}, {"4 L", "4"}, {"PAQ 3 PZAS", "0.3333"}};

struct LineaModelo {
    int id;
    const char *nombre;           // nullptr: the row exists with a NULL name
    bool enCatalogo;              // false: products point at an Id missing from lineas
    std::vector<const char *> categorias; // exact category texts of its products; empty: no IEPS
    std::vector<int> tasasIeps;
    int iva;
    int precioMin, precioMax;     // pesos
    bool liquidos;
    std::vector<const char *> productos;
};

const std::vector<LineaModelo> &Lineas()
{
    static const std::vector<LineaModelo> l = {
        {1, "BOTANAS", true, {Botanas}, {8}, 16, 8, 45, false,
         {"PAPAS FRITAS SAL", "PAPAS ADOBADAS", "CHICHARRÓN DE HARINA", "CACAHUATE JAPONÉS", "CACAHUATE ENCHILADO",
          "TOTOPOS DE MAÍZ", "PALOMITAS MANTEQUILLA", "CHURRITOS DE MAÍZ", "PEPITAS TOSTADAS", "HABAS ENCHILADAS"}},
        {2, "DULCES DE LECHE", true, {DulcesLeche}, {8}, 16, 5, 60, false,
         {"CAJETA QUEMADA", "JAMONCILLO", "GLORIAS", "OBLEAS CON CAJETA", "BORRACHITOS", "CHONGOS"}},
        {3, "HELADOS", true, {Helados}, {8}, 16, 12, 90, true,
         {"HELADO DE VAINILLA", "HELADO NAPOLITANO", "NIEVE DE LIMÓN", "PALETA DE FRESA", "SÁNDWICH DE HELADO"}},
        {4, "CHOCOLATES", true, {Chocolate}, {8}, 16, 10, 120, false,
         {"CHOCOLATE DE MESA", "BARRA DE CHOCOLATE", "CHOCOLATE EN POLVO", "CHOCOLATE CON ALMENDRA", "BOMBONES CUBIERTOS"}},
        {5, "ALIMENTOS A BASE DE CEREALES", true, {Cereales}, {8}, 0, 25, 75, false,
         {"CEREAL DE MAÍZ", "AVENA CON MIEL", "BARRA DE GRANOLA", "HOJUELAS AZUCARADAS", "ARITOS DE FRUTA"}},
        {6, "GALLETAS Y CEREALES", true, {Cereales}, {8}, 0, 9, 48, false,
         {"GALLETAS MARÍAS", "GALLETAS DE ANIMALITOS", "GALLETAS RELLENAS", "GALLETAS SALADAS", "PAN DULCE EMPACADO"}},
        {7, "PRODUCTOS DE CONFITERÍA", true, {Confiteria}, {8}, 16, 1, 40, false,
         {"CARAMELO MACIZO", "CHICLE DE MENTA", "GOMITAS", "MALVAVISCOS", "PALETA DE CARAMELO", "CHICLOSOS"}},
        {8, "FLANES Y PUDINES", true, {Flanes}, {8}, 0, 10, 35, true,
         {"FLAN NAPOLITANO", "PUDÍN DE CHOCOLATE", "PUDÍN DE VAINILLA", "GELATINA CON FLAN"}},
        {9, "DULCES DE FRUTAS Y HORTALIZAS", true, {DulcesFruta}, {8}, 16, 6, 70, false,
         {"ATE DE MEMBRILLO", "ATE DE GUAYABA", "TAMARINDO ENCHILADO", "CAMOTE ENMIELADO", "CALABAZA EN DULCE"}},
        {10, "CREMAS DE CACAHUATE Y AVELLANA", true, {Cremas}, {8}, 16, 45, 120, false,
         {"CREMA DE CACAHUATE", "CREMA DE AVELLANA CON CACAO", "CREMA DE CACAHUATE CRUJIENTE"}},
        {11, "CHOCOLATES Y BOTANAS", true, {Chocolate}, {8}, 16, 12, 60, false,
         {"CACAHUATE CON CHOCOLATE", "PASITAS CON CHOCOLATE", "ALMENDRA CON CHOCOLATE"}},
        {12, "PALETAS HELADAS", true, {Helados}, {8}, 16, 6, 25, true,
         {"PALETA DE AGUA LIMÓN", "PALETA DE LECHE COCO", "BOLI DE FRESA"}},
        {13, "DULCES DE LECHE Y FRUTA", true, {DulcesLeche, DulcesFruta}, {8}, 16, 8, 50, false,
         {"COCADA CON PIÑA", "JAMONCILLO CON NUEZ"}},
        {14, "DULCERÍA A GRANEL", true, {Confiteria, DulcesFruta, DulcesLeche}, {8}, 16, 30, 160, false,
         {"DULCE SURTIDO A GRANEL", "GOMITAS A GRANEL", "CACAHUATE GARAPIÑADO"}},
        {15, "CONFITES", true, {Confiteria}, {8}, 16, 2, 30, false, {"CONFITE DE ANÍS", "GRAGEAS DE COLORES"}},
        {16, "botanas a granel", true, {Botanas}, {8}, 16, 40, 140, false, {"CACAHUATE SALADO A GRANEL", "CHILE SECO PREPARADO"}},
        {17, "INSECTICIDAS", true, {}, {6, 7, 9}, 16, 45, 180, true,
         {"INSECTICIDA EN AEROSOL", "INSECTICIDA DOMÉSTICO LÍQUIDO", "CEBO PARA HORMIGAS", "TRAMPA PARA CUCARACHAS"}},
        {18, "PLAGUICIDAS", true, {}, {6, 7, 9}, 0, 120, 650, true,
         {"HERBICIDA GLIFOSATO", "FUNGICIDA AGRÍCOLA", "INSECTICIDA AGRÍCOLA", "RODENTICIDA EN PELLETS"}},
        {19, nullptr, true, {Confiteria}, {8}, 16, 4, 30, false, {"MAZAPÁN DE CACAHUATE", "PALANQUETA"}},
        {99, "DULCES TÍPICOS", false, {Confiteria, Cereales}, {8}, 16, 4, 35, false, {"ALEGRÍA DE AMARANTO", "OBLEA DE COLORES"}},
        {20, "ABARROTES", true, {}, {}, 0, 12, 60, false,
         {"ARROZ", "FRIJOL NEGRO", "AZÚCAR ESTÁNDAR", "HARINA DE MAÍZ", "ATÚN EN AGUA", "SOPA DE PASTA"}},
        {21, "LÁCTEOS", true, {}, {}, 0, 15, 90, true, {"LECHE ENTERA", "YOGUR NATURAL", "QUESO FRESCO", "CREMA ÁCIDA"}},
        {22, "LIMPIEZA", true, {}, {}, 16, 15, 95, true, {"DETERGENTE EN POLVO", "CLORO", "JABÓN DE BARRA", "SUAVIZANTE DE TELAS"}},
        {23, "BEBIDAS", true, {}, {}, 0, 8, 40, true, {"AGUA NATURAL", "AGUA MINERAL"}},
        {24, "PAPELERÍA", true, {}, {}, 16, 5, 60, false, {"CUADERNO PROFESIONAL", "LÁPIZ DEL 2", "BOLÍGRAFO AZUL"}},
        {25, "ALIMENTO PARA MASCOTAS", true, {}, {}, 16, 40, 400, false, {"CROQUETAS PARA PERRO", "ALIMENTO PARA GATO"}},
        {26, "FERRETERÍA Y JARDÍN", true, {}, {}, 16, 20, 250, false, {"MANGUERA DE JARDÍN", "FOCO AHORRADOR", "CINTA AISLANTE"}},
    };
    return l;
}

const std::vector<std::string> Marcas = {"LA ESTRELLA", "DON CHUY", "SABORES DE MÉXICO", "EL GRANERO", "DOÑA LUPE",
                                         "LA SIERRA", "TOTO", "GOLOSO", "EL PATO", "SAN ÁNGEL", "MAYAB", "LA NORTEÑA"};

const std::vector<std::string> Nombres = {"JOSÉ", "MARÍA", "JUAN", "GUADALUPE", "FRANCISCO", "ANA", "JESÚS", "ROSA",
    "ANTONIO", "MARTHA", "MIGUEL ÁNGEL", "VERÓNICA", "PEDRO", "MARÍA DE LOURDES", "RAÚL", "ELENA", "JOSÉ LUIS",
    "SOFÍA", "RAMÓN", "NOEMÍ", "ÁNGEL", "BEATRIZ", "HÉCTOR", "IRMA", "RUBÉN", "PATRICIA", "EFRAÍN", "LETICIA"};
const std::vector<std::string> Apellidos = {"HERNÁNDEZ", "GARCÍA", "MARTÍNEZ", "LÓPEZ", "GONZÁLEZ", "PÉREZ",
    "RODRÍGUEZ", "SÁNCHEZ", "RAMÍREZ", "CRUZ", "FLORES", "GÓMEZ", "MUÑOZ", "NÚÑEZ", "IBÁÑEZ", "PEÑA", "ORDÓÑEZ",
    "TORRES", "VÁZQUEZ", "JIMÉNEZ", "MORALES", "REYES", "DÍAZ", "CASTAÑEDA", "ZÚÑIGA", "ACUÑA", "OCHOA", "ESPINOZA"};
const std::vector<std::string> GirosClientes = {"ABARROTES", "TIENDA", "MISCELÁNEA", "DULCERÍA", "MINISÚPER",
    "COMERCIAL", "DISTRIBUIDORA", "ABASTECEDORA", "SUPER", "CREMERÍA", "FRUTERÍA Y DULCERÍA"};
const std::vector<std::string> GirosProveedores = {"DISTRIBUIDORA", "COMERCIALIZADORA", "INDUSTRIAS", "PRODUCTOS",
    "GRUPO", "FÁBRICA DE DULCES", "AGROQUÍMICOS", "BOTANAS Y FRITURAS", "CONFITERÍA", "LÁCTEOS Y HELADOS",
    "CHOCOLATERA"};
const std::vector<std::string> Razones = {"LA ESPERANZA", "EL SOL", "LA PEÑA", "DEL NORTE", "SAN JOSÉ",
    "LOS ÁNGELES", "EL PROGRESO", "LA GUADALUPANA", "DOÑA MARY", "EL ÁGUILA", "LA PEQUEÑA", "DEL BAJÍO",
    "DE OCCIDENTE", "LA CAÑADA", "EL CASTAÑO", "MONTAÑA AZUL", "LA ÚNICA", "HERMANOS ÁLVAREZ", "Y ASOCIADOS",
    "LA FAVORITA", "DEL PACÍFICO", "EL TRIUNFO", "SANTA FÉ", "A & B", "D'ANGELO", "LA ESQUINA (SUCURSAL #2)"};
const std::vector<std::string> Sociedades = {"", "", " S.A. DE C.V.", ", S.A. DE C.V.", " S. DE R.L. DE C.V.",
    " SA DE CV", " S.C.", " S.A.P.I. DE C.V.", ", S.A.", " S. DE R.L. MI."};

// State texts as people type them, with how often each appears (the business is in Jalisco).
struct EstadoTexto {
    Texto texto;
    int peso;
};
const std::vector<EstadoTexto> &Estados()
{
    static const std::vector<EstadoTexto> e = {
        {"JALISCO", 160}, {"JAL.", 60}, {"JAL", 20}, {"Jalisco", 10}, {" JAL", 3},
        {"AGUASCALIENTES", 8}, {"AGS.", 5}, {"BAJA CALIFORNIA", 4}, {"B.C.", 2}, {"BAJA CALIFORNIA SUR", 3},
        {"B.C.S.", 2}, {"CAMPECHE", 2}, {"COAHUILA", 4}, {"COLIMA", 14}, {"CHIAPAS", 3}, {"CHIHUAHUA", 4},
        {"DISTRITO FEDERAL", 8}, {"D.F.", 6}, {"CIUDAD DE MEXICO", 6}, {"CDMX", 4}, {"DURANGO", 3}, {"DGO.", 1},
        {"GUANAJUATO", 18}, {"GTO.", 8}, {"GUERRERO", 3}, {"GRO.", 1}, {"HIDALGO", 3}, {"HGO.", 1},
        {"ESTADO DE MEXICO", 10}, {"EDO. MEX.", 5}, {"EDO MEX", 3}, {"MEXICO", 3}, {"MÉXICO", 2},
        {"MICHOACÁN", 18}, {"MICHOACAN", 10}, {"MORELOS", 3}, {"NAYARIT", 14}, {"N.L.", 4}, {"NUEVO LEÓN", 6},
        {"OAXACA", 2}, {"PUEBLA", 4}, {"QRO.", 3}, {"QUERÉTARO", 4}, {"QUINTANA ROO", 2}, {"Q. ROO", 1},
        {"SAN LUIS POTOSÍ", 4}, {"S.L.P.", 2}, {"SINALOA", 5}, {"SONORA", 4}, {"TABASCO", 2}, {"TAMAULIPAS", 3},
        {"TLAXCALA", 1}, {"VERACRUZ", 4}, {"YUCATÁN", 2}, {"ZACATECAS", 8}, {"EXTRANJERO", 2}, {"EXTRANJERA", 1},
        {"", 4}, {std::nullopt, 2}};
    return e;
}
const std::vector<std::string> Ciudades = {"GUADALAJARA", "ZAPOPAN", "TLAQUEPAQUE", "TONALÁ", "TLAJOMULCO",
    "CIUDAD GUZMÁN", "TEPATITLÁN", "LAGOS DE MORENO", "COLIMA", "MORELIA", "LEÓN", "AGUASCALIENTES", "TEPIC",
    "ZACATECAS", "MÉXICO", "QUERÉTARO", "PUERTO VALLARTA", "OCOTLÁN"};

// ---------------------------------------------------------------------------------------------
// Helpers

// First letter of a Spanish word, as an RFC writes it (no accents, Ñ as X).
char Inicial(const std::string &p)
{
    static const std::pair<const char *, char> acentos[] = {
        {"Á", 'A'}, {"É", 'E'}, {"Í", 'I'}, {"Ó", 'O'}, {"Ú", 'U'}, {"Ñ", 'X'}};
    for (const auto &a : acentos)
        if (p.compare(0, std::char_traits<char>::length(a.first), a.first) == 0)
            return a.second;
    const char c = p.empty() ? 'X' : p[0];
    return (c >= 'A' && c <= 'Z') ? c : 'X';
}

char PrimeraVocalInterna(const std::string &p)
{
    for (std::size_t i = 1; i < p.size(); ++i) {
        const char c = p[i];
        if (c == 'A' || c == 'E' || c == 'I' || c == 'O' || c == 'U')
            return c;
    }
    return 'X';
}

std::string Fecha6(Azar &az, int anioMin, int anioMax)
{
    char b[8];
    std::snprintf(b, sizeof b, "%02d%02d%02d", int(az.entre(anioMin, anioMax) % 100), int(az.entre(1, 12)),
                  int(az.entre(1, 28)));
    return b;
}

// The three characters after the date; the last is the check digit of all the others, except in
// a few records typed wrong.
std::string Homoclave(Azar &az, const std::string &letrasYFecha)
{
    static const char alfa[] = "ABCDEFGHJKLMNPRSTUVWXYZ123456789";
    std::string h;
    h += alfa[az.menorQue(sizeof alfa - 1)];
    h += alfa[az.menorQue(sizeof alfa - 1)];
    const char digito = engine::DigitoVerificadorRfc(QString::fromStdString(letrasYFecha + h)).toLatin1();
    h += az.probabilidad(0.97) ? digito : (digito == '9' ? '0' : static_cast<char>(digito == 'A' ? '1' : digito + 1));
    return h;
}

// An RFC as it ends up typed in the party record: mostly clean, sometimes with hyphens, blanks,
// lower case, empty or missing.
Texto Capturado(Azar &az, const std::string &letras, const std::string &fecha, const std::string &homo)
{
    const int forma = az.ponderado({860, 60, 30, 20, 10, 10, 10});
    switch (forma) {
    case 1: return letras + "-" + fecha + "-" + homo;
    case 2: return letras + " " + fecha + " " + homo;
    case 3: return " " + letras + fecha + homo + " ";
    case 4: {
        std::string s = letras + fecha + homo;
        for (char &c : s)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return s;
    }
    case 5: return std::string();
    case 6: return std::nullopt;
    default: return letras + fecha + homo;
    }
}

std::string DobleBlanco(Azar &az, std::string s)
{
    if (az.probabilidad(0.12)) {
        const auto p = s.find(' ');
        if (p != std::string::npos)
            s.insert(p, az.probabilidad(0.8) ? " " : "   ");
    }
    if (az.probabilidad(0.03))
        s += " ";
    return s;
}

Parte PersonaFisica(Azar &az, const std::string &clave)
{
    const std::string n = az.uno(Nombres), a1 = az.uno(Apellidos), a2 = az.uno(Apellidos);
    Parte p;
    p.clave = clave;
    p.nombre = DobleBlanco(az, n + " " + a1 + " " + a2);
    std::string letras;
    letras += Inicial(a1);
    letras += PrimeraVocalInterna(a1);
    letras += Inicial(a2);
    letras += Inicial(n);
    const std::string fecha = Fecha6(az, 1950, 2000);
    p.rfc = Capturado(az, letras, fecha, Homoclave(az, letras + fecha));
    return p;
}

Parte PersonaMoral(Azar &az, const std::string &clave, const std::vector<std::string> &giros)
{
    const std::string g = az.uno(giros), r = az.uno(Razones);
    Parte p;
    p.clave = clave;
    p.nombre = DobleBlanco(az, g + " " + r + az.uno(Sociedades));
    std::string letras;
    letras += Inicial(g);
    letras += Inicial(r);
    letras += Inicial(r.substr(r.find(' ') == std::string::npos ? 0 : r.find(' ') + 1));
    const std::string fecha = Fecha6(az, 1985, 2016);
    p.rfc = Capturado(az, letras, fecha, Homoclave(az, letras + fecha));
    return p;
}

Texto UnEstado(Azar &az)
{
    static std::vector<int> pesos;
    if (pesos.empty())
        for (const auto &e : Estados())
            pesos.push_back(e.peso);
    return Estados()[az.ponderado(pesos)].texto;
}

std::string Ean13(Azar &az)
{
    std::string s = "750";
    for (int i = 0; i < 9; ++i)
        s += static_cast<char>('0' + az.menorQue(10));
    int suma = 0;
    for (int i = 0; i < 12; ++i)
        suma += (s[i] - '0') * (i % 2 ? 3 : 1);
    s += static_cast<char>('0' + (10 - suma % 10) % 10);
    return s;
}

// Popular entries first: index i is chosen with weight 1/(i+1)^0.85.
class Popularidad {
public:
    explicit Popularidad(std::size_t n)
    {
        double t = 0;
        for (std::size_t i = 0; i < n; ++i) {
            t += 1.0 / std::pow(double(i + 1), 0.85);
            acumulado_.push_back(t);
        }
    }
    std::size_t elegir(Azar &az) const
    {
        const double r = az.real() * acumulado_.back();
        return std::min<std::size_t>(std::upper_bound(acumulado_.begin(), acumulado_.end(), r) - acumulado_.begin(),
                                     acumulado_.size() - 1);
    }

private:
    std::vector<double> acumulado_;
};

// ---------------------------------------------------------------------------------------------
// Catalogue of products

void GenerarCatalogo(Azar &az, Base &b, std::vector<int> &conIeps, std::vector<int> &sinIeps)
{
    std::set<std::string> claves;
    for (const LineaModelo &lm : Lineas()) {
        if (lm.enCatalogo)
            b.lineas.push_back({lm.id, lm.nombre ? Texto(lm.nombre) : std::nullopt});
        const bool ieps = !lm.tasasIeps.empty();
        const auto &presentaciones = lm.liquidos ? Liquidos : Solidos;
        for (const char *base : lm.productos) {
            const int variantes = int(az.entre(ieps ? 2 : 1, ieps ? 5 : 3));
            for (int v = 0; v < variantes; ++v) {
                Producto p;
                const bool granel = az.probabilidad(0.06);
                do
                    p.clave = granel ? "GRA-" + std::to_string(az.entre(1000, 9999)) : Ean13(az);
                while (!claves.insert(p.clave).second);
                const Presentacion &pr = az.uno(presentaciones);
                p.descripcion = std::string(base) + " " + az.uno(Marcas) + " " + (granel ? "A GRANEL KG" : pr.texto);
                p.linea = lm.id;
                if (ieps && az.probabilidad(0.015))
                    p.linea = std::nullopt; // captured without a line
                const int forma = az.ponderado({940, 15, 15, 10, 10, 10});
                switch (forma) {
                case 1: p.pedimento = std::nullopt; break;
                case 2: p.pedimento = std::string(); break;
                case 3: p.pedimento = std::string(pr.pedimento) + " KG"; break;
                case 4: p.pedimento = " " + std::string(pr.pedimento); break;
                case 5: p.pedimento = "1.0"; break;
                default: p.pedimento = granel ? "1" : pr.pedimento; break;
                }
                if (!lm.categorias.empty()) {
                    const int c = az.ponderado({850, 135, 15});
                    p.categoria = c == 0 ? Texto(az.uno(lm.categorias)) : c == 1 ? Texto(az.uno(CategoriasMalCapturadas))
                                                                                  : std::nullopt;
                } else if (ieps) {
                    p.categoria = az.probabilidad(0.5) ? Texto("PLAGUICIDAS") : Texto(std::string());
                } else {
                    p.categoria = az.probabilidad(0.7) ? std::nullopt : Texto(std::string());
                }
                p.tasaIeps = ieps ? az.uno(lm.tasasIeps) : 0;
                p.tasaIva = lm.iva;
                p.precio = az.entre(lm.precioMin * 100, lm.precioMax * 100);
                if (az.probabilidad(0.6))
                    p.precio = p.precio / 50 * 50 + (az.probabilidad(0.5) ? 0 : 50); // .00 and .50 prices
                if (p.precio < 100)
                    p.precio = 100;
                (ieps ? conIeps : sinIeps).push_back(int(b.productos.size()));
                b.productos.push_back(std::move(p));
            }
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Books of customers and suppliers

struct Lado {
    bool clientes;
    int pagos;
    int partes;
    double cantidadMin, cantidadMax;
};

class Contabilidad {
public:
    Contabilidad(Azar &az, const Base &b, const std::vector<int> &conIeps, const std::vector<int> &sinIeps,
                 const Opciones &op)
        : az_(az), base_(b), conIeps_(conIeps), sinIeps_(sinIeps), op_(op), popular_(conIeps.size())
    {
        for (int i = 0; i < 6; ++i)
            fantasmas_.push_back(Ean13(az_)); // keys sold but missing from the catalogue
    }

    void Generar(const Lado &lado, Libro &libro)
    {
        lado_ = lado;
        libro_ = &libro;
        abiertos_.clear();
        siguienteDoc_ = lado.clientes ? 1 : 7001;
        folioSerie_ = {10001, 501, 1};
        GenerarPartes();
        GenerarMovimientos();
        if (lado.clientes)
            VentasDeMostrador();
    }

private:
    enum Tipo { Pago, PagoFuera, NotaCredito, Cargo };

    void GenerarPartes()
    {
        auto &ps = libro_->partes;
        const char *prefijo = lado_.clientes ? "" : "P";
        auto clave = [&](int i) {
            char b[16];
            std::snprintf(b, sizeof b, lado_.clientes ? "%s%05d" : "%s%04d", prefijo, i);
            return std::string(b);
        };
        if (lado_.clientes) {
            ps.push_back({"MOSTRADOR", "VENTAS DE MOSTRADOR", "XAXX010101000", "JALISCO", "GUADALAJARA"});
            ps.push_back({"PUBGRAL", "PÚBLICO  EN GENERAL", "XAXX-010101-000", "JAL.", "ZAPOPAN"});
            ps.push_back({"EVENTUAL", "CLIENTE EVENTUAL", " XAXX010101000", std::nullopt, std::nullopt});
        } else {
            ps.push_back({"P9001", "SWEET GOODS IMPORTS INC.", "XEXX010101000", "EXTRANJERO", "HOUSTON"});
        }
        for (int i = 1; int(ps.size()) < lado_.partes; ++i) {
            Parte p = (lado_.clientes && az_.probabilidad(0.55)) ? PersonaFisica(az_, clave(i))
                                                                 : PersonaMoral(az_, clave(i), lado_.clientes ? GirosClientes : GirosProveedores);
            p.estado = UnEstado(az_);
            p.ciudad = az_.probabilidad(0.9) ? Texto(az_.uno(Ciudades)) : std::nullopt;
            if (az_.probabilidad(0.004))
                p.nombre = std::nullopt;
            ps.push_back(std::move(p));
        }
        popularPartes_ = Popularidad(ps.size());
        // Clients are shuffled so that the most active ones are not the first keys.
        orden_.resize(ps.size());
        for (std::size_t i = 0; i < orden_.size(); ++i)
            orden_[i] = int(i);
        for (std::size_t i = orden_.size(); i > 1; --i)
            std::swap(orden_[i - 1], orden_[az_.menorQue(i)]);
    }

    std::string UnaParte()
    {
        if (az_.probabilidad(0.0015))
            return lado_.clientes ? "C99999" : "P8888"; // a party deleted from the catalogue
        return libro_->partes[orden_[popularPartes_.elegir(az_)]].clave;
    }

    void GenerarMovimientos()
    {
        struct Evento {
            int fecha;
            std::uint64_t desempate;
            Tipo tipo;
        };
        std::vector<Evento> ev;
        const int dias = op_.hasta - op_.desde + 1;
        auto dentro = [&] { return op_.desde + int(az_.menorQue(dias)); };
        const int n = lado_.pagos;
        for (int i = 0; i < n; ++i)
            ev.push_back({dentro(), az_.siguiente(), Pago});
        const int notas = lado_.clientes ? (n * 4 + 99) / 100 : 0;
        for (int i = 0; i < notas; ++i)
            ev.push_back({dentro(), az_.siguiente(), NotaCredito});
        for (int i = 0; i < (n * 3 + 99) / 100; ++i)
            ev.push_back({dentro(), az_.siguiente(), Cargo});
        for (int i = 0; i < (n * 6 + 99) / 100; ++i) {
            const int f = az_.probabilidad(0.5) ? op_.desde - 1 - int(az_.menorQue(31)) : op_.hasta + 1 + int(az_.menorQue(30));
            ev.push_back({f, az_.siguiente(), PagoFuera});
        }
        std::sort(ev.begin(), ev.end(), [](const Evento &a, const Evento &b) {
            return a.fecha != b.fecha ? a.fecha < b.fecha : a.desempate < b.desempate;
        });
        int folio = lado_.clientes ? 1201 : 801;
        for (const Evento &e : ev) {
            Movimiento m;
            m.id = int(libro_->movimientos.size()) + 1;
            m.folio = folio++;
            m.fecha = e.fecha;
            m.clave = UnaParte();
            switch (e.tipo) {
            case Cargo:
                m.pago = 0;
                break;
            case NotaCredito:
                m.notaCredito = true;
                m.pago = Nota(m);
                break;
            case Pago:
            case PagoFuera:
                // A few supplier payments are refunds booked as credit notes: still selected.
                m.notaCredito = !lado_.clientes && az_.probabilidad(0.03);
                m.pago = Pagar(m);
                break;
            }
            libro_->movimientos.push_back(std::move(m));
        }
    }

    void Ligar(const Movimiento &m, int documento, Centavos cantidad)
    {
        Anexo a;
        a.id = int(libro_->anexos.size()) + 1;
        a.folioDelPago = m.folio;
        a.documento = documento;
        a.cantidad = cantidad;
        libro_->anexos.push_back(a);
    }

    Centavos Pagar(const Movimiento &m)
    {
        const int ligas = 1 + az_.ponderado({68, 22, 10});
        Centavos total = 0;
        auto &abiertos = abiertos_[m.clave];
        for (int k = 0; k < ligas; ++k) {
            if (az_.probabilidad(0.025)) { // advance payment, not applied to any document yet
                const Centavos c = az_.entre(100, 3000) * 100;
                Ligar(m, 0, c);
                total += c;
                continue;
            }
            Centavos c;
            if (!abiertos.empty() && az_.probabilidad(0.55)) {
                const std::size_t i = az_.probabilidad(0.7) ? 0 : az_.menorQue(abiertos.size());
                auto [doc, resta] = abiertos[i];
                if (az_.probabilidad(0.6) || resta < 20000) {
                    c = resta;
                    abiertos.erase(abiertos.begin() + long(i));
                } else {
                    c = resta * az_.entre(30, 70) / 100;
                    abiertos[i].second -= c;
                }
                Ligar(m, doc, c);
            } else {
                const int d = NuevoDocumento(m.clave, m.fecha - int(az_.menorQue(41)));
                const Centavos t = libro_->documentos[std::size_t(d)].total();
                if (az_.probabilidad(0.7) || t < 20000) {
                    c = t;
                    if (az_.probabilidad(0.005))
                        c += az_.entre(1, 500); // paid a little more than the total
                } else {
                    c = t * az_.entre(25, 75) / 100;
                    abiertos.push_back({libro_->documentos[std::size_t(d)].id, t - c});
                }
                Ligar(m, libro_->documentos[std::size_t(d)].id, c);
            }
            total += c;
        }
        return total;
    }

    Centavos Nota(const Movimiento &m)
    {
        auto &abiertos = abiertos_[m.clave];
        if (abiertos.empty()) {
            const int d = NuevoDocumento(m.clave, m.fecha - int(az_.menorQue(20)));
            const Documento &doc = libro_->documentos[std::size_t(d)];
            abiertos.push_back({doc.id, doc.total()});
        }
        auto &[doc, resta] = abiertos.back();
        const Centavos c = std::max<Centavos>(1, resta * az_.entre(5, 30) / 100);
        resta -= c;
        Ligar(m, doc, c);
        return c;
    }

    // Adds a document with its lines; returns its index.
    int NuevoDocumento(const std::string &parte, int fecha)
    {
        Documento d;
        d.id = siguienteDoc_++;
        d.fecha = fecha;
        d.parte = parte;
        if (lado_.clientes) {
            const int s = az_.ponderado({70, 15, 10, 3, 2});
            static const char *const series[] = {"A", "B", "FE", ""};
            d.serie = s < 4 ? Texto(series[s]) : std::nullopt;
            d.numero = folioSerie_[std::min(s, 2)]++;
        }
        d.cancelada = az_.probabilidad(0.025);
        const bool sinIeps = az_.probabilidad(0.15);
        const int renglones = 1 + az_.ponderado({22, 22, 18, 15, 12, 11});
        const int conIepsForzado = sinIeps ? -1 : int(az_.menorQue(renglones));
        double sub = 0, iva = 0, ieps = 0;
        for (int r = 0; r < renglones; ++r) {
            Partida pa;
            pa.documento = d.id;
            pa.partida = r + 1;
            const bool conIeps = !sinIeps && (r == conIepsForzado || az_.probabilidad(0.7));
            const Producto *pr = nullptr;
            if (conIeps && az_.probabilidad(0.003)) {
                pa.producto = az_.uno(fantasmas_);
                pa.precio = az_.entre(500, 8000);
                pa.ieps = 8;
                pa.iva = 16;
            } else {
                pr = &base_.productos[std::size_t(conIeps ? conIeps_[popular_.elegir(az_)] : az_.uno(sinIeps_))];
                pa.producto = pr->clave;
                pa.precio = lado_.clientes ? pr->precio : pr->precio * 72 / 100;
                pa.ieps = pr->tasaIeps;
                pa.iva = pr->tasaIva;
            }
            pa.cantidad = double(az_.entre(Centavos(lado_.cantidadMin), Centavos(lado_.cantidadMax)));
            if (az_.probabilidad(0.06))
                pa.cantidad += 0.5; // sold by weight
            const double importe = pa.cantidad * double(pa.precio) / 100.0;
            const double e = importe * pa.ieps / 100.0;
            sub += importe;
            ieps += e;
            iva += (importe + e) * pa.iva / 100.0;
            libro_->partidas.push_back(std::move(pa));
        }
        d.subtotal = std::llround(sub * 100);
        d.ieps = std::llround(ieps * 100);
        d.iva = std::llround(iva * 100);
        libro_->documentos.push_back(std::move(d));
        return int(libro_->documentos.size()) - 1;
    }

    // Cash sales at the counter: invoices that no payment row refers to.
    void VentasDeMostrador()
    {
        const int n = lado_.pagos / 10;
        const int dias = op_.hasta - op_.desde + 1;
        for (int i = 0; i < n; ++i)
            NuevoDocumento(az_.probabilidad(0.8) ? "MOSTRADOR" : "PUBGRAL", op_.desde + int(az_.menorQue(dias)));
    }

    Azar &az_;
    const Base &base_;
    const std::vector<int> &conIeps_;
    const std::vector<int> &sinIeps_;
    const Opciones &op_;
    Popularidad popular_;
    Popularidad popularPartes_{1};
    std::vector<int> orden_;
    std::vector<std::string> fantasmas_;
    Lado lado_{};
    Libro *libro_ = nullptr;
    std::map<std::string, std::vector<std::pair<int, Centavos>>> abiertos_; // open documents per party
    int siguienteDoc_ = 1;
    std::vector<int> folioSerie_;
};

} // namespace

Base Generar(const Opciones &op)
{
    Azar az(op.semilla);
    Base b;
    std::vector<int> conIeps, sinIeps;
    GenerarCatalogo(az, b, conIeps, sinIeps);
    Contabilidad c(az, b, conIeps, sinIeps, op);
    const int n = std::max(0, op.pagos);
    const int m = op.pagosProveedores >= 0 ? op.pagosProveedores : n / 4;
    c.Generar({true, n, std::clamp(n / 6, 40, 6000), 1, 48}, b.clientes);
    c.Generar({false, m, std::clamp(m / 4, 12, 600), 6, 240}, b.proveedores);
    return b;
}

} // namespace generador
