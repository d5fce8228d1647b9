-- The restaurant database for the embedded backend (demo and tests). Kinds follow the server schema:
-- BIGINT keys, NVARCHAR(n) Unicode text, TEXT for nvarchar(max), BIT flags, DATETIME as ISO text
-- (local time, no zone). Auto-numbered keys must be INTEGER PRIMARY KEY here; they hold 64-bit values.
-- Every table carries the outlet's key: Customer_ID, Restaurant_ID, Outlet_ID.

CREATE TABLE KitchenStations (
  Station_ID INTEGER PRIMARY KEY AUTOINCREMENT,
  Customer_ID BIGINT NOT NULL,
  Restaurant_ID BIGINT NOT NULL,
  Outlet_ID BIGINT NOT NULL,
  Station_Name NVARCHAR(50) NOT NULL,
  isActive BIT NOT NULL DEFAULT 1
);

CREATE TABLE PrintersInPackaging (
  Rec_ID INTEGER PRIMARY KEY AUTOINCREMENT,
  Customer_ID BIGINT NOT NULL,
  Restaurant_ID BIGINT NOT NULL,
  Outlet_ID BIGINT NOT NULL,
  Printer_Name NVARCHAR(255) NOT NULL
);

-- One row per outlet is expected; the printing server checks that at Start rather than the schema.
CREATE TABLE POSGeneralSettings (
  Customer_ID BIGINT NOT NULL,
  Restaurant_ID BIGINT NOT NULL,
  Outlet_ID BIGINT NOT NULL,
  Printing_Options NVARCHAR(255),
  Use_Packaging_Printer BIT,
  Packaging_Printer_Name NVARCHAR(255)
);

CREATE TABLE OrderKinds (
  Order_Kind_ID INTEGER PRIMARY KEY,
  Order_Kind_Desc NVARCHAR(50) NOT NULL
);

-- The order header, as the terminals keep it.
CREATE TABLE OrdersMaster (
  Master_ID INTEGER PRIMARY KEY AUTOINCREMENT,
  Customer_ID BIGINT NOT NULL,
  Restaurant_ID BIGINT NOT NULL,
  Outlet_ID BIGINT NOT NULL,
  Order_Seq INT NOT NULL,
  Order_Kind_ID BIGINT REFERENCES OrderKinds (Order_Kind_ID),
  Open_DateTime DATETIME NOT NULL,
  Close_DateTime DATETIME,
  Waiter_Name NVARCHAR(255),
  Order_Upper_Line NVARCHAR(50),
  Order_Downer_Line NVARCHAR(50),
  Master_Remarks TEXT,
  Order_PayOption NVARCHAR(255)
);

-- The menu, with each item's names in the two languages and the station that prepares it.
CREATE TABLE MenuItems (
  Item_ID INTEGER PRIMARY KEY AUTOINCREMENT,
  Customer_ID BIGINT NOT NULL,
  Restaurant_ID BIGINT NOT NULL,
  Outlet_ID BIGINT NOT NULL,
  Item_Name_PL TEXT,
  Item_Name_SL TEXT,
  Station_ID BIGINT REFERENCES KitchenStations (Station_ID)
);

-- The order lines; the printing server only sets isPrinted.
CREATE TABLE OrdersDetails (
  Detail_ID INTEGER PRIMARY KEY AUTOINCREMENT,
  Customer_ID BIGINT NOT NULL,
  Restaurant_ID BIGINT NOT NULL,
  Outlet_ID BIGINT NOT NULL,
  Master_ID BIGINT NOT NULL REFERENCES OrdersMaster (Master_ID),
  Item_ID BIGINT REFERENCES MenuItems (Item_ID),
  Item_QTY INT,
  Remarks TEXT,
  isPrinted BIT NOT NULL DEFAULT 0
);

-- The print queue: one row per print request of an order.
CREATE TABLE ReadyToPrint (
  RTP_ID INTEGER PRIMARY KEY AUTOINCREMENT,
  Customer_ID BIGINT NOT NULL,
  Restaurant_ID BIGINT NOT NULL,
  Outlet_ID BIGINT NOT NULL,
  Master_ID BIGINT NOT NULL
);

-- Items voided after their line reached the kitchen. Default_Printer is the station's Station_ID.
CREATE TABLE AfterKitchenVoids (
  AKV_ID INTEGER PRIMARY KEY AUTOINCREMENT,
  Customer_ID BIGINT NOT NULL,
  Restaurant_ID BIGINT NOT NULL,
  Outlet_ID BIGINT NOT NULL,
  Void_WorkingDate DATETIME,
  Void_DateTime DATETIME,
  Void_By NVARCHAR(255),
  Void_Reason NVARCHAR(255),
  Master_ID BIGINT,
  Item_ID BIGINT,
  Item_Name NVARCHAR(1024),
  Remarks NVARCHAR(255),
  Default_Printer BIGINT,
  isNoted BIT NOT NULL DEFAULT 0
);

CREATE VIEW OrdersMasterView AS
SELECT M.Customer_ID, M.Restaurant_ID, M.Outlet_ID, M.Master_ID, M.Order_Seq, K.Order_Kind_Desc,
       M.Open_DateTime, M.Close_DateTime, M.Waiter_Name, M.Order_Upper_Line, M.Order_Downer_Line,
       M.Master_Remarks, M.Order_PayOption
FROM OrdersMaster M
LEFT OUTER JOIN OrderKinds K ON K.Order_Kind_ID = M.Order_Kind_ID;

-- Each order line with its item's names and its station's name (the station's printer).
CREATE VIEW OrdersDetailsStationsView AS
SELECT D.Customer_ID, D.Restaurant_ID, D.Outlet_ID, D.Master_ID, D.Detail_ID,
       S.Station_Name AS Default_Printer, I.Item_Name_PL AS Displayed_Name_PL,
       I.Item_Name_SL AS Displayed_Name_SL, D.Remarks, D.Item_QTY, D.isPrinted
FROM OrdersDetails D
LEFT OUTER JOIN MenuItems I ON I.Item_ID = D.Item_ID
LEFT OUTER JOIN KitchenStations S ON S.Station_ID = I.Station_ID;
