-- Point-of-sale tables that the IEPS report reads, with the columns it uses and a few more
-- that a real installation has. Used by the tests and by the sample database.

CREATE TABLE clientes (
  Clave VARCHAR(10) NOT NULL PRIMARY KEY,
  Nombre VARCHAR(150) NULL,
  RFC VARCHAR(20) NULL,
  Estado VARCHAR(40) NULL,
  Ciudad VARCHAR(60) NULL
) DEFAULT CHARSET=utf8mb4;

CREATE TABLE proveedores (
  Clave VARCHAR(10) NOT NULL PRIMARY KEY,
  Nombre VARCHAR(150) NULL,
  RFC VARCHAR(20) NULL,
  Estado VARCHAR(40) NULL,
  Ciudad VARCHAR(60) NULL
) DEFAULT CHARSET=utf8mb4;

-- Customer account movements: payments received (CantidadPago) and credit notes.
CREATE TABLE edoctacli (
  Id INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  Folio INT NOT NULL,
  Fecha DATE NOT NULL,
  Clave VARCHAR(10) NOT NULL,
  CantidadPago DOUBLE NULL DEFAULT 0,
  NotaCredito TINYINT NOT NULL DEFAULT 0,
  KEY (Fecha),
  KEY (Clave)
) DEFAULT CHARSET=utf8mb4;

-- Supplier account movements: payments made.
CREATE TABLE edoctaprov (
  Id INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  Folio INT NOT NULL,
  Fecha DATE NOT NULL,
  Clave VARCHAR(10) NOT NULL,
  CantidadPago DOUBLE NULL DEFAULT 0,
  NotaCredito TINYINT NOT NULL DEFAULT 0,
  KEY (Fecha),
  KEY (Clave)
) DEFAULT CHARSET=utf8mb4;

-- What part of a customer payment went to which invoice (facturas.Id).
CREATE TABLE anexopagosctes (
  Id INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  FolioDelPago INT NOT NULL,
  Factura INT NOT NULL DEFAULT 0,
  Cantidad DOUBLE NULL DEFAULT 0,
  KEY (FolioDelPago)
) DEFAULT CHARSET=utf8mb4;

-- What part of a supplier payment went to which purchase (compras.Compra).
CREATE TABLE anexopagosprov (
  Id INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  FolioDelPago INT NOT NULL,
  Compra INT NOT NULL DEFAULT 0,
  Cantidad DOUBLE NULL DEFAULT 0,
  KEY (FolioDelPago)
) DEFAULT CHARSET=utf8mb4;

CREATE TABLE facturas (
  Id INT NOT NULL PRIMARY KEY,
  Serie VARCHAR(10) NULL,
  Factura INT NOT NULL,
  Fecha DATE NULL,
  Cliente VARCHAR(10) NULL,
  SubTotal DOUBLE NULL DEFAULT 0,
  IVA DOUBLE NULL DEFAULT 0,
  ImpuestoAd DOUBLE NULL DEFAULT 0,
  Cancelada TINYINT NOT NULL DEFAULT 0
) DEFAULT CHARSET=utf8mb4;

CREATE TABLE compras (
  Compra INT NOT NULL PRIMARY KEY,
  Fecha DATE NULL,
  Proveedor VARCHAR(10) NULL,
  SubTotal DOUBLE NULL DEFAULT 0,
  IVA DOUBLE NULL DEFAULT 0,
  ImpuestoAd DOUBLE NULL DEFAULT 0,
  Cancelada TINYINT NOT NULL DEFAULT 0
) DEFAULT CHARSET=utf8mb4;

-- Invoice lines; Id is the invoice (facturas.Id), Partida the line number.
CREATE TABLE facturasdetalle (
  Id INT NOT NULL,
  Partida INT NOT NULL,
  Producto VARCHAR(20) NULL,
  Cantidad DOUBLE NULL DEFAULT 0,
  PrecioNeto DOUBLE NULL DEFAULT 0,
  IVA DOUBLE NULL DEFAULT 0,
  ImpuestoAd DOUBLE NULL DEFAULT 0,
  PRIMARY KEY (Id, Partida)
) DEFAULT CHARSET=utf8mb4;

-- Purchase lines; Compra is the purchase (compras.Compra).
CREATE TABLE comprasdetalle (
  Compra INT NOT NULL,
  Partida INT NOT NULL,
  Producto VARCHAR(20) NULL,
  Cantidad DOUBLE NULL DEFAULT 0,
  CostoNeto DOUBLE NULL DEFAULT 0,
  IVA DOUBLE NULL DEFAULT 0,
  ImpuestoAd DOUBLE NULL DEFAULT 0,
  PRIMARY KEY (Compra, Partida)
) DEFAULT CHARSET=utf8mb4;

-- Product catalogue. Pedimento holds the product's presentation (a number kept as text);
-- Linea is the product line (lineas.Id).
CREATE TABLE productos (
  Clave VARCHAR(20) NOT NULL PRIMARY KEY,
  Descripcion VARCHAR(120) NULL,
  Linea INT NULL,
  Pedimento VARCHAR(30) NULL,
  CategoriaIEPS VARCHAR(80) NULL
) DEFAULT CHARSET=utf8mb4;

CREATE TABLE lineas (
  Id INT NOT NULL PRIMARY KEY,
  Linea VARCHAR(60) NULL
) DEFAULT CHARSET=utf8mb4;
