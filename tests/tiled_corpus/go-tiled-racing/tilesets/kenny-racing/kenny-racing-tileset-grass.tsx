<?xml version="1.0" encoding="UTF-8"?>
<tileset version="1.2" tiledversion="1.2.4" name="kenny-racing-tileset-grass" tilewidth="128" tileheight="128" tilecount="14" columns="0">
 <grid orientation="orthogonal" width="1" height="1"/>
 <tile id="0">
  <image width="128" height="128" source="Tiles/Grass/land_grass01.png"/>
 </tile>
 <tile id="1">
  <image width="128" height="128" source="Tiles/Grass/land_grass02.png"/>
 </tile>
 <tile id="2">
  <image width="128" height="128" source="Tiles/Grass/land_grass03.png"/>
 </tile>
 <tile id="3">
  <image width="128" height="128" source="Tiles/Grass/land_grass04.png"/>
 </tile>
 <tile id="4">
  <image width="128" height="128" source="Tiles/Grass/land_grass05.png"/>
 </tile>
 <tile id="5">
  <image width="128" height="128" source="Tiles/Grass/land_grass06.png"/>
 </tile>
 <tile id="6">
  <image width="128" height="128" source="Tiles/Grass/land_grass07.png"/>
 </tile>
 <tile id="7">
  <image width="128" height="128" source="Tiles/Grass/land_grass08.png"/>
 </tile>
 <tile id="8">
  <image width="128" height="128" source="Tiles/Grass/land_grass09.png"/>
 </tile>
 <tile id="9">
  <image width="128" height="128" source="Tiles/Grass/land_grass10.png"/>
 </tile>
 <tile id="10">
  <image width="128" height="128" source="Tiles/Grass/land_grass11.png"/>
 </tile>
 <tile id="11">
  <image width="128" height="128" source="Tiles/Grass/land_grass12.png"/>
 </tile>
 <tile id="12">
  <image width="128" height="128" source="Tiles/Grass/land_grass13.png"/>
 </tile>
 <tile id="13">
  <image width="128" height="128" source="Tiles/Grass/land_grass14.png"/>
 </tile>
</tileset>
