<?xml version="1.0" encoding="UTF-8"?>
<tileset name="tileset" tilewidth="70" tileheight="70" spacing="10" margin="5" tilecount="252" columns="18">
 <image source="../img/tileset.png" width="1440" height="1120"/>
 <tile id="195">
  <animation>
   <frame tileid="195" duration="100"/>
   <frame tileid="196" duration="100"/>
  </animation>
 </tile>
 <tile id="216">
  <animation>
   <frame tileid="216" duration="200"/>
   <frame tileid="217" duration="200"/>
  </animation>
 </tile>
</tileset>
