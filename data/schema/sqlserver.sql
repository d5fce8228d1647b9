-- The restaurant database for a test deployment on SQL Server 2008 or later (T-SQL). The same tables and
-- views as sqlite.sql, with the server's kinds: bigint keys, nvarchar Unicode text, nvarchar(max) for
-- long text that the ticket queries group and sort, bit flags, datetime.

CREATE TABLE KitchenStations (
  Station_ID bigint IDENTITY(1,1) NOT NULL PRIMARY KEY,
  Customer_ID bigint NOT NULL,
  Restaurant_ID bigint NOT NULL,
  Outlet_ID bigint NOT NULL,
  Station_Name nvarchar(50) NOT NULL,
  isActive bit NOT NULL DEFAULT 1
);
GO

CREATE TABLE PrintersInPackaging (
  Rec_ID bigint IDENTITY(1,1) NOT NULL PRIMARY KEY,
  Customer_ID bigint NOT NULL,
  Restaurant_ID bigint NOT NULL,
  Outlet_ID bigint NOT NULL,
  Printer_Name nvarchar(255) NOT NULL
);
GO

-- One row per outlet is expected; the printing server checks that at Start rather than the schema.
CREATE TABLE POSGeneralSettings (
  Customer_ID bigint NOT NULL,
  Restaurant_ID bigint NOT NULL,
  Outlet_ID bigint NOT NULL,
  Printing_Options nvarchar(255) NULL,
  Use_Packaging_Printer bit NULL,
  Packaging_Printer_Name nvarchar(255) NULL
);
GO

CREATE TABLE OrderKinds (
  Order_Kind_ID bigint NOT NULL PRIMARY KEY,
  Order_Kind_Desc nvarchar(50) NOT NULL
);
GO

CREATE TABLE OrdersMaster (
  Master_ID bigint IDENTITY(1,1) NOT NULL PRIMARY KEY,
  Customer_ID bigint NOT NULL,
  Restaurant_ID bigint NOT NULL,
  Outlet_ID bigint NOT NULL,
  Order_Seq int NOT NULL,
  Order_Kind_ID bigint NULL REFERENCES OrderKinds (Order_Kind_ID),
  Open_DateTime datetime NOT NULL,
  Close_DateTime datetime NULL,
  Waiter_Name nvarchar(255) NULL,
  Order_Upper_Line nvarchar(50) NULL,
  Order_Downer_Line nvarchar(50) NULL,
  Master_Remarks nvarchar(max) NULL,
  Order_PayOption nvarchar(255) NULL
);
GO

CREATE TABLE MenuItems (
  Item_ID bigint IDENTITY(1,1) NOT NULL PRIMARY KEY,
  Customer_ID bigint NOT NULL,
  Restaurant_ID bigint NOT NULL,
  Outlet_ID bigint NOT NULL,
  Item_Name_PL nvarchar(max) NULL,
  Item_Name_SL nvarchar(max) NULL,
  Station_ID bigint NULL REFERENCES KitchenStations (Station_ID)
);
GO

CREATE TABLE OrdersDetails (
  Detail_ID bigint IDENTITY(1,1) NOT NULL PRIMARY KEY,
  Customer_ID bigint NOT NULL,
  Restaurant_ID bigint NOT NULL,
  Outlet_ID bigint NOT NULL,
  Master_ID bigint NOT NULL REFERENCES OrdersMaster (Master_ID),
  Item_ID bigint NULL REFERENCES MenuItems (Item_ID),
  Item_QTY int NULL,
  Remarks nvarchar(max) NULL,
  isPrinted bit NOT NULL DEFAULT 0
);
GO

CREATE TABLE ReadyToPrint (
  RTP_ID bigint IDENTITY(1,1) NOT NULL PRIMARY KEY,
  Customer_ID bigint NOT NULL,
  Restaurant_ID bigint NOT NULL,
  Outlet_ID bigint NOT NULL,
  Master_ID bigint NOT NULL
);
GO

CREATE TABLE AfterKitchenVoids (
  AKV_ID bigint IDENTITY(1,1) NOT NULL PRIMARY KEY,
  Customer_ID bigint NOT NULL,
  Restaurant_ID bigint NOT NULL,
  Outlet_ID bigint NOT NULL,
  Void_WorkingDate datetime NULL,
  Void_DateTime datetime NULL,
  Void_By nvarchar(255) NULL,
  Void_Reason nvarchar(255) NULL,
  Master_ID bigint NULL,
  Item_ID bigint NULL,
  Item_Name nvarchar(1024) NULL,
  Remarks nvarchar(255) NULL,
  Default_Printer bigint NULL,
  isNoted bit NOT NULL DEFAULT 0
);
GO

CREATE VIEW OrdersMasterView AS
SELECT M.Customer_ID, M.Restaurant_ID, M.Outlet_ID, M.Master_ID, M.Order_Seq, K.Order_Kind_Desc,
       M.Open_DateTime, M.Close_DateTime, M.Waiter_Name, M.Order_Upper_Line, M.Order_Downer_Line,
       M.Master_Remarks, M.Order_PayOption
FROM OrdersMaster M
LEFT OUTER JOIN OrderKinds K ON K.Order_Kind_ID = M.Order_Kind_ID;
GO

CREATE VIEW OrdersDetailsStationsView AS
SELECT D.Customer_ID, D.Restaurant_ID, D.Outlet_ID, D.Master_ID, D.Detail_ID,
       CAST(S.Station_Name AS nvarchar(100)) AS Default_Printer, I.Item_Name_PL AS Displayed_Name_PL,
       I.Item_Name_SL AS Displayed_Name_SL, D.Remarks, D.Item_QTY, D.isPrinted
FROM OrdersDetails D
LEFT OUTER JOIN MenuItems I ON I.Item_ID = D.Item_ID
LEFT OUTER JOIN KitchenStations S ON S.Station_ID = I.Station_ID;
GO
