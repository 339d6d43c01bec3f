<?xml version="1.0" encoding="UTF-8"?>
<tileset version="1.4" tiledversion="1.4.0" name="tilesheet" tilewidth="32" tileheight="32" tilecount="84" columns="14">
 <properties>
  <property name="tileset property" value="tsp"/>
 </properties>
 <image source="tilesheet.png" width="448" height="192"/>
 <tile id="1">
  <properties>
   <property name="a tile property" value="123"/>
  </properties>
 </tile>
</tileset>
