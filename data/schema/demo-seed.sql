-- Demo content for the embedded database: one outlet (customer 1, restaurant 1, outlet 1) with its
-- settings row, three stations, a small menu, a few queued orders and two late voids. Printer names are
-- the stations' names; the demo queues print to whatever printers of these names exist.

INSERT INTO POSGeneralSettings (Customer_ID, Restaurant_ID, Outlet_ID, Printing_Options, Use_Packaging_Printer,
                                Packaging_Printer_Name)
VALUES (1, 1, 1, 'Kitchen', 1, 'Packaging');

INSERT INTO KitchenStations (Customer_ID, Restaurant_ID, Outlet_ID, Station_Name, isActive) VALUES
  (1, 1, 1, 'Grill', 1), (1, 1, 1, 'Salads', 1), (1, 1, 1, 'Bar', 1);

INSERT INTO PrintersInPackaging (Customer_ID, Restaurant_ID, Outlet_ID, Printer_Name) VALUES (1, 1, 1, 'Grill');

INSERT INTO OrderKinds (Order_Kind_ID, Order_Kind_Desc) VALUES (1, 'Dine In'), (2, 'Take Away'), (3, 'Delivery');

INSERT INTO MenuItems (Customer_ID, Restaurant_ID, Outlet_ID, Item_Name_PL, Item_Name_SL, Station_ID) VALUES
  (1, 1, 1, 'Mixed Grill', 'مشاوي مشكلة', 1),
  (1, 1, 1, 'Beef Burger', 'برغر لحم', 1),
  (1, 1, 1, 'Chicken Skewers', 'شيش طاووق', 1),
  (1, 1, 1, 'Caesar Salad', 'سلطة سيزر', 2),
  (1, 1, 1, 'Tabbouleh', 'تبولة', 2),
  (1, 1, 1, 'Fresh Orange Juice', 'عصير برتقال', 3),
  (1, 1, 1, 'Lemon Mint', 'ليمون بالنعناع', 3),
  (1, 1, 1, 'Espresso', 'إسبريسو', 3);

INSERT INTO OrdersMaster (Customer_ID, Restaurant_ID, Outlet_ID, Order_Seq, Order_Kind_ID, Open_DateTime, Waiter_Name,
                          Order_Upper_Line, Order_Downer_Line, Master_Remarks, Order_PayOption) VALUES
  (1, 1, 1, 101, 1, datetime('now', 'localtime', '-20 minutes'), 'Maya', 'Table 4', 'Guests: 3', 'Birthday table', 'Cash'),
  (1, 1, 1, 102, 2, datetime('now', 'localtime', '-10 minutes'), 'Karim', 'Pick-up 12:30', 'Mr. Haddad', NULL, 'Card'),
  (1, 1, 1, 103, 1, datetime('now', 'localtime', '-5 minutes'), 'Maya', 'Table 9', 'Guests: 2', NULL, 'Cash');

INSERT INTO OrdersDetails (Customer_ID, Restaurant_ID, Outlet_ID, Master_ID, Item_ID, Item_QTY, Remarks) VALUES
  (1, 1, 1, 1, 1, 1, NULL), (1, 1, 1, 1, 2, 2, 'Well done'), (1, 1, 1, 1, 4, 1, NULL), (1, 1, 1, 1, 6, 3, NULL),
  (1, 1, 1, 2, 3, 2, 'Extra garlic'), (1, 1, 1, 2, 5, 1, NULL),
  (1, 1, 1, 3, 2, 1, NULL), (1, 1, 1, 3, 2, 1, NULL), (1, 1, 1, 3, 8, 2, 'No sugar');

INSERT INTO ReadyToPrint (Customer_ID, Restaurant_ID, Outlet_ID, Master_ID) VALUES (1, 1, 1, 1), (1, 1, 1, 2), (1, 1, 1, 3);

INSERT INTO AfterKitchenVoids (Customer_ID, Restaurant_ID, Outlet_ID, Void_WorkingDate, Void_DateTime, Void_By,
                               Void_Reason, Master_ID, Item_ID, Item_Name, Remarks, Default_Printer) VALUES
  (1, 1, 1, date('now', 'localtime'), datetime('now', 'localtime', '-2 minutes'), 'Maya', 'Guest changed mind', 1, 6,
   'Fresh Orange Juice', NULL, 3),
  (1, 1, 1, date('now', 'localtime'), datetime('now', 'localtime', '-1 minutes'), 'Karim', 'Out of stock', 2, 3,
   'Chicken Skewers', 'Extra garlic', 1);
