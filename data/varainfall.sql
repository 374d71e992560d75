-- County rainfall for older shared projects.

-- Coefficients per return period n (years) of I = YEARnA / (Tc + YEARnB), I in
-- in/hr and Tc in minutes; the table has no 5-year storm. COUNTY_NO numbers the
-- counties in alphabetical order.
CREATE TABLE VARAINFALL (
  COUNTY_NO INTEGER NOT NULL UNIQUE,
  COUNTY_NAME TEXT NOT NULL UNIQUE COLLATE NOCASE,
  YEAR2A REAL,
  YEAR2B REAL,
  YEAR10A REAL,
  YEAR10B REAL,
  YEAR25A REAL,
  YEAR25B REAL,
  YEAR50A REAL,
  YEAR50B REAL,
  YEAR100A REAL,
  YEAR100B REAL
);
