-- County rainfall for projects of older releases.

-- Coefficients per return period n (years) of I = YEARnB / (Tc + YEARnD)^YEARnE,
-- I in in/hr and Tc in minutes. Names compare without regard to letter case and
-- list in that order, as users of the lists expect.
CREATE TABLE STORMDATA (
  COUNTY_NAME TEXT NOT NULL UNIQUE COLLATE NOCASE,
  YEAR2B REAL,
  YEAR2D REAL,
  YEAR2E REAL,
  YEAR5B REAL,
  YEAR5D REAL,
  YEAR5E REAL,
  YEAR10B REAL,
  YEAR10D REAL,
  YEAR10E REAL,
  YEAR25B REAL,
  YEAR25D REAL,
  YEAR25E REAL,
  YEAR50B REAL,
  YEAR50D REAL,
  YEAR50E REAL,
  YEAR100B REAL,
  YEAR100D REAL,
  YEAR100E REAL
);
